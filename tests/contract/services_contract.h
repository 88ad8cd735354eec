// Contract of plat::ServiceControl, run over the simulation natively and over Win32 under Wine.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/services.h"

// A service control manager that can be given services to work on.
class ServicesHost {
  public:
    virtual ~ServicesHost() = default;
    virtual plat::ServiceControl& Control() = 0;
    // Installs a service of that name, started when `running`, replacing any of that name.
    // Returns why it cannot, empty on success.
    virtual std::string Install(const std::string& name, bool running) = 0;
};

struct ServicesTarget {
    std::string name;
    std::function<std::unique_ptr<ServicesHost>()> make;
};

inline void PrintTo(const ServicesTarget& target, std::ostream* os) {
    *os << target.name;
}

inline std::string ServicesTargetName(const ::testing::TestParamInfo<ServicesTarget>& info) {
    return info.param.name;
}

class ServicesContract : public ::testing::TestWithParam<ServicesTarget> {
  protected:
    void SetUp() override;
    // Skips the test when the host cannot install the service.
    void Install(const std::string& name, bool running);
    std::unique_ptr<plat::ServiceManager> Manager();

    std::unique_ptr<ServicesHost> host_;
};
