// The behaviour every plat::Registry must show, run over the simulated and the Windows registry.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace contract {

struct RegistryTarget {
    std::unique_ptr<plat::Registry> registry;
    std::string root;  // a key path below a hive that the test may fill; deleted afterwards
};

struct RegistryFactory {
    std::string name;
    std::function<RegistryTarget()> make;
};

inline void PrintTo(const RegistryFactory& f, std::ostream* os) {
    *os << f.name;
}
inline std::string FactoryName(const testing::TestParamInfo<RegistryFactory>& info) {
    return info.param.name;
}

class RegistryContract : public testing::TestWithParam<RegistryFactory> {
  protected:
    void SetUp() override;
    void TearDown() override;
    plat::Registry& reg() { return *target_.registry; }
    const std::string& root() const { return target_.root; }
    std::string P(std::string_view sub) const { return plat::JoinPath(target_.root, sub); }

  private:
    RegistryTarget target_;
};

}  // namespace contract
