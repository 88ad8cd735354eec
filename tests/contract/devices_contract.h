// Contract of plat::SetupApi, run over the simulation natively and over Win32 under Wine.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/devices.h"
#include "platform/registry.h"

// A registry and the setup interface that reads it.
class DevicesHost {
  public:
    virtual ~DevicesHost() = default;
    virtual plat::Registry& Reg() = 0;
    virtual plat::SetupApi& Setup() = 0;
    // Why a device cannot be disabled and enabled on this host; empty when it can.
    virtual std::string NoStateChangeReason() const = 0;
};

struct DevicesTarget {
    std::string name;
    std::function<std::unique_ptr<DevicesHost>()> make;
};

inline void PrintTo(const DevicesTarget& target, std::ostream* os) {
    *os << target.name;
}

inline std::string DevicesTargetName(const ::testing::TestParamInfo<DevicesTarget>& info) {
    return info.param.name;
}

// Seeds tests/fixtures/two-net-devices.reg into the host's registry and removes it again.
class DevicesContract : public ::testing::TestWithParam<DevicesTarget> {
  protected:
    void SetUp() override;
    void TearDown() override;
    void Clean();
    void SeedSystemDevice();
    std::unique_ptr<plat::DeviceSet> Net();

    std::unique_ptr<DevicesHost> host_;
};

// The folder of the .reg fixtures: $VELMORA_FIXTURES, else beside this file's folder. Wine
// reaches the host's paths through drive Z:.
inline std::string FixturePath(std::string_view file) {
    std::string dir;
    if (const char* env = std::getenv("VELMORA_FIXTURES"); env && *env) {
        dir = env;
    } else {
        dir = __FILE__;
        for (int up = 0; up < 2; ++up) {
            auto cut = dir.find_last_of("/\\");
            dir.erase(cut == std::string::npos ? 0 : cut);
        }
        dir += "/fixtures";
    }
#ifdef _WIN32
    if (!dir.empty() && dir.front() == '/') dir = "Z:" + dir;
#endif
    return dir + "/" + std::string(file);
}
