// Simulated files and the FILETIME conversions written for them.
#include <gtest/gtest.h>

#include "sim/files.h"

namespace {

constexpr plat::FileTime kDay = 86'400ULL * 10'000'000;

TEST(SimFileTimes, CivilDatesMatchKnownFileTimes) {
    EXPECT_EQ(sim::FileTimeFromCivil(1601, 1, 1), 0u);
    EXPECT_EQ(sim::FileTimeFromCivil(1970, 1, 1), 116'444'736'000'000'000u);
    EXPECT_EQ(sim::FileTimeFromCivil(2002, 7, 24, 23, 32, 18), 0x01C2336A59722D00u);
}

TEST(SimFileTimes, EveryDayFrom1980To2107PacksItsOwnDate) {
    // Walks day by day with plain month lengths, independently of the conversion.
    plat::FileTime t = sim::FileTimeFromCivil(1980, 1, 1, 13, 45, 31);
    const unsigned monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned y = 1980; y <= 2107; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        for (unsigned m = 1; m <= 12; ++m) {
            const unsigned days = monthDays[m - 1] + (m == 2 && leap ? 1 : 0);
            for (unsigned d = 1; d <= days; ++d, t += kDay) {
                const auto dos = sim::DosFromFileTime(t);
                ASSERT_TRUE(dos.has_value()) << y << '-' << m << '-' << d;
                ASSERT_EQ(dos->date, ((y - 1980) << 9) | (m << 5) | d) << y << '-' << m << '-' << d;
                ASSERT_EQ(dos->time, (13u << 11) | (45u << 5) | 15u);
            }
        }
    }
    EXPECT_EQ(sim::DosFromFileTime(t), std::nullopt) << "2108-01-01";
    EXPECT_EQ(sim::DosFromFileTime(~plat::FileTime{0}), std::nullopt);
}

TEST(SimFiles, LocalTimeFollowsTheZoneOffset) {
    sim::Files files;
    const plat::FileTime t = sim::FileTimeFromCivil(2002, 7, 24, 21, 32, 18);
    EXPECT_EQ(files.ToLocalTime(t), t);
    files.SetTimeZoneOffsetMinutes(120);
    EXPECT_EQ(files.ToLocalTime(t), sim::FileTimeFromCivil(2002, 7, 24, 23, 32, 18));
    files.SetTimeZoneOffsetMinutes(-60);
    EXPECT_EQ(files.ToLocalTime(0), std::nullopt) << "before 1601";
}

TEST(SimFiles, PathsMatchAsWindowsMatchesThem) {
    sim::Files files;
    files.AddFile("C:\\WINDOWS\\System32\\DRIVERS\\zn620nd5.sys", plat::FileVersion{2, 0, 0, 172},
                  1234);
    EXPECT_TRUE(files.HasFile("c:/windows\\\\system32/drivers/ZN620ND5.SYS"));
    EXPECT_EQ(files.LastWriteTime("C:\\windows\\system32\\drivers\\zn620nd5.sys"), 1234u);
    EXPECT_FALSE(files.HasFile("C:\\WINDOWS\\System32\\zn620nd5.sys"));
    files.RemoveFile("C:\\WINDOWS\\SYSTEM32\\DRIVERS\\ZN620ND5.SYS");
    EXPECT_FALSE(files.HasFile("C:\\WINDOWS\\System32\\DRIVERS\\zn620nd5.sys"));
}

TEST(SimFiles, AnUnopenableFileKeepsItsVersionButNotItsTime) {
    sim::Files files;
    files.AddFile("C:\\a.sys", plat::FileVersion{1, 2, 3, 4}, 99);
    files.SetUnopenable("C:\\A.SYS");
    EXPECT_EQ(files.Version("C:\\a.sys"), (plat::FileVersion{1, 2, 3, 4}));
    EXPECT_EQ(files.LastWriteTime("C:\\a.sys"), std::nullopt);
    EXPECT_EQ(files.VersionQueries(), std::vector<std::string>{"C:\\a.sys"});
    EXPECT_EQ(files.TimeQueries(), std::vector<std::string>{"C:\\a.sys"});
}

TEST(SimFiles, WindowsDirectoryIsSettable) {
    sim::Files files;
    EXPECT_EQ(files.WindowsDirectory(), "C:\\WINDOWS");
    files.SetWindowsDirectory("D:\\WINNT");
    EXPECT_EQ(files.WindowsDirectory(), "D:\\WINNT");
}

}  // namespace
