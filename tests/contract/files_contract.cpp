// Version resources, last-write times and their conversion to the packed FAT form.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <optional>

#include "tests/contract/seam_envs.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST_P(FilesContract, VersionComesFromTheResourceWhateverTheCaseOfThePath) {
    const auto v = files().Version(env_.versionedPath);
    ASSERT_TRUE(v.has_value());
    if (env_.knownVersion) {
        EXPECT_EQ(*v, *env_.knownVersion);
    } else {
        EXPECT_GE(v->major, 5) << "a system library of NT 5 or later";
    }
    EXPECT_EQ(files().Version(Upper(env_.versionedPath)), v);
}

TEST_P(FilesContract, FilesWithoutResourceOrMissingHaveNoVersion) {
    EXPECT_EQ(files().Version(env_.timedPath), std::nullopt);
    EXPECT_EQ(files().Version(env_.missingPath), std::nullopt);
}

TEST_P(FilesContract, LastWriteTimeOfAFile) {
    EXPECT_EQ(files().LastWriteTime(env_.timedPath), env_.timedWrite);
    EXPECT_EQ(files().LastWriteTime(Upper(env_.timedPath)), env_.timedWrite);
    EXPECT_EQ(files().LastWriteTime(env_.missingPath), std::nullopt);
}

TEST_P(FilesContract, LocalTimeIsAWholeZoneOffsetAway) {
    const plat::FileTime utc = 0x01C2336A59722D00;  // 2002-07-24 23:32:18
    const auto local = files().ToLocalTime(utc);
    ASSERT_TRUE(local.has_value());
    const std::int64_t diff = static_cast<std::int64_t>(*local) - static_cast<std::int64_t>(utc);
    constexpr std::int64_t kQuarterHour = 15LL * 60 * 10'000'000;
    EXPECT_EQ(diff % kQuarterHour, 0);
    EXPECT_LE(diff < 0 ? -diff : diff, 14 * 4 * kQuarterHour);
}

struct DosCase {
    const char* when;
    plat::FileTime t;
    std::optional<plat::DosDateTime> dos;
};

TEST_P(FilesContract, DosDateTimeOfKnownTimes) {
    const DosCase cases[] = {
        {"2002-07-24 23:32:18", 0x01C2336A59722D00, plat::DosDateTime{0x2CF8, 0xBC09}},
        {"2002-07-24 23:32:19.9999999 (odd seconds round down)", 0x01C2336A5A0AC380 + 9'999'999,
         plat::DosDateTime{0x2CF8, 0xBC09}},
        {"1980-01-01 00:00:00", 0x01A8E79FE1D58000, plat::DosDateTime{0x0021, 0x0000}},
        {"2000-02-29 12:00:00", 0x01BF82AC81016000, plat::DosDateTime{0x285D, 0x6000}},
        {"2100-03-01 06:30:00 (2100 has no 29 February)", 0x022F9FF6B93FE400,
         plat::DosDateTime{0xF061, 0x33C0}},
        {"2107-12-31 23:59:59", 0x023868B8676B2980, plat::DosDateTime{0xFF9F, 0xBF7D}},
        {"1979-12-31 23:59:59", 0x01A8E79FE13CE980, std::nullopt},
        {"2108-01-01 00:00:00", 0x023868B86803C000, std::nullopt},
    };
    for (const DosCase& c : cases) {
        EXPECT_EQ(files().ToDosDateTime(c.t), c.dos) << c.when;
    }
}

TEST_P(FilesContract, WindowsDirectoryIsAnAbsolutePathWithoutTrailingSeparator) {
    const std::string dir = files().WindowsDirectory();
    ASSERT_GE(dir.size(), 3u);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(dir[0]))) << dir;
    EXPECT_EQ(dir.substr(1, 2), ":\\") << dir;
    EXPECT_NE(dir.back(), '\\') << dir;
}

}  // namespace
