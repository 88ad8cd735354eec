// A simulated registry with one adapter driver key, for nicset01's tests.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "nicset/reg_key.h"
#include "platform/registry.h"
#include "sim/regfile.h"
#include "sim/registry.h"

namespace nicset_test {

inline constexpr std::string_view kDriverPath =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
inline const std::string kStorePath = std::string(kDriverPath) + "\\CustomParams\\Configurations";

inline std::string Profile(int n) {
    return kStorePath + "\\Cfg" + std::to_string(n);
}

struct DriverKey {
    sim::Registry reg;
    nicset::RegKey key;

    // `regText`: sections to add after the driver key is made.
    explicit DriverKey(std::string_view regText = {}) {
        reg.Create(kDriverPath);
        if (!regText.empty()) {
            auto r = sim::ImportReg(
                reg, "Windows Registry Editor Version 5.00\n\n" + std::string(regText));
            EXPECT_TRUE(r) << r.message << " at line " << r.line;
        }
        EXPECT_TRUE(key.Open(reg, kDriverPath));
    }

    std::unique_ptr<plat::RegKey> At(std::string_view path) { return reg.Open(path); }
    void Set(std::string_view path, std::string_view name, const plat::RegValue& v) {
        auto k = reg.Create(path);
        ASSERT_TRUE(k);
        ASSERT_TRUE(k->Set(name, v.type, v.data));
    }
    std::string Text(std::string_view path, std::string_view name) {
        auto k = reg.Open(path);
        return k ? plat::ReadString(*k, name).value_or("(missing)") : "(no key)";
    }
    std::string Export(std::string_view path) {
        return sim::ExportReg(reg, path).value_or("(no key)");
    }
};

}  // namespace nicset_test
