// The About page's driver file version and date, read from the driver's service and file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/status.h"
#include "app/velmora.h"
#include "sim/files.h"
#include "sim/pc.h"

namespace {

constexpr char kService[] = "SYSTEM\\CurrentControlSet\\Services\\CV7720";

struct Case {
    const char* name;
    const char* imagePath;  // nullptr: no service key
    const char* file;       // where the simulated file lies; nullptr: no file
    std::optional<plat::FileVersion> version;
    bool unopenable;
    const char* expectVersion;
    const char* expectDate;
};

TEST(AboutPage, DriverFileVersionAndDate) {
    const Case cases[] = {
        {"service path", "System32\\DRIVERS\\zn620nd5.sys",
         "C:\\WINDOWS\\System32\\DRIVERS\\zn620nd5.sys", plat::FileVersion{2, 0, 0, 172}, false,
         "2.0.0.172", "24 Jul 2002 23:32:18"},
        {"default path without the service key", nullptr,
         "C:\\WINDOWS\\system32\\drivers\\zn620nd5.sys", plat::FileVersion{1, 2, 3, 4}, false,
         "1.2.3.4", "24 Jul 2002 23:32:18"},
        {"no version resource", "System32\\DRIVERS\\zn620nd5.sys",
         "C:\\WINDOWS\\System32\\DRIVERS\\zn620nd5.sys", std::nullopt, false, "N/A",
         "24 Jul 2002 23:32:18"},
        {"file that does not open", "System32\\DRIVERS\\zn620nd5.sys",
         "C:\\WINDOWS\\System32\\DRIVERS\\zn620nd5.sys", plat::FileVersion{2, 0, 0, 172}, true,
         "2.0.0.172", "N/A"},
        {"no file", "System32\\DRIVERS\\zn620nd5.sys", nullptr, std::nullopt, false, "N/A", "N/A"},
    };
    for (const Case& c : cases) {
        sim::Pc pc;
        if (c.imagePath)
            plat::WriteString(*pc.registry().Create(kService), "ImagePath", c.imagePath);
        // 21:32:18 UTC is 23:32:18 two hours east.
        pc.files().SetTimeZoneOffsetMinutes(120);
        if (c.file)
            pc.files().AddFile(c.file, c.version, sim::FileTimeFromCivil(2002, 7, 24, 21, 32, 18));
        if (c.file && c.unopenable) pc.files().SetUnopenable(c.file);
        plat::Platform platform = pc.platform();
        app::Velmora program(platform);
        EXPECT_EQ(program.form.DriverVersion.Caption(), c.expectVersion) << c.name;
        EXPECT_EQ(program.form.DriverDate.Caption(), c.expectDate) << c.name;
        EXPECT_EQ(program.form.DeviceName.Caption(), "Velmora ZN6200 802.11a/b Wireless Adapter")
            << c.name;
    }
}

TEST(AboutPage, DriverDateTextKeepsEvenSecondsAndRefusesABadMonth) {
    // 2002-07-24 23:32:18: date (22 << 9) | (7 << 5) | 24, time (23 << 11) | (32 << 5) | 9.
    EXPECT_EQ(app::DriverDateText({(22 << 9) | (7 << 5) | 24, (23 << 11) | (32 << 5) | 9}),
              "24 Jul 2002 23:32:18");
    EXPECT_EQ(app::DriverDateText({(22 << 9) | (13 << 5) | 24, 0}), "N/A");
    EXPECT_EQ(app::DriverDateText({(22 << 9) | (0 << 5) | 24, 0}), "N/A");
}

}  // namespace
