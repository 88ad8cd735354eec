// What the contract suites of the loop, system, files, uuids and shell seams are run over.
// Each side (simulated, Win32) makes these in its own test file and instantiates the suites
// with them.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/loop.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/uuids.h"

namespace contract {

struct LoopEnv {
    std::unique_ptr<plat::MessageLoop> loop;
    // Exact times hold only on a virtual clock; a real one is checked with bounds.
    bool virtualTime = false;
    // Milliseconds on the loop's clock.
    std::function<std::uint64_t()> now;
    // Lets time pass with the loop running its timers until done() holds or maxMs have
    // passed on the loop's clock.
    std::function<void(const std::function<bool()>& done, std::uint32_t maxMs)> runUntil;
    // Whether Quit was asked for since the last look (and forgets it).
    std::function<bool()> takeQuit;
};
using LoopFactory = LoopEnv (*)();

struct SystemEnv {
    std::unique_ptr<plat::System> system;
    // An event name that no one else uses.
    std::string freshEventName;
};
using SystemFactory = SystemEnv (*)();

struct FilesEnv {
    std::unique_ptr<plat::Files> files;
    std::string versionedPath;                      // has a version resource
    std::optional<plat::FileVersion> knownVersion;  // when the side knows it exactly
    std::string timedPath;                          // no version resource; last written...
    plat::FileTime timedWrite = 0;                  // ...at this time (UTC)
    std::string missingPath;
    std::shared_ptr<void> cleanup;  // removes what the side made, when the env goes
};
using FilesFactory = FilesEnv (*)();

struct UuidsEnv {
    std::unique_ptr<plat::Uuids> uuids;
};
using UuidsFactory = UuidsEnv (*)();

struct ShellEnv {
    std::unique_ptr<plat::Shell> shell;
    std::uintptr_t owner = 0;  // a window of the test's own
    int iconA = 0, iconB = 0;  // two pictures the shell knows
    std::string skipReason;    // non-empty where the side cannot host the shell
    std::shared_ptr<void> cleanup;
};
using ShellFactory = ShellEnv (*)();

}  // namespace contract

// The suites' fixtures, here so that each side can instantiate them.
class LoopContract : public ::testing::TestWithParam<contract::LoopFactory> {
  protected:
    void SetUp() override { env_ = GetParam()(); }
    plat::MessageLoop& loop() { return *env_.loop; }
    void RunUntil(const std::function<bool()>& done) { env_.runUntil(done, 10000); }

    contract::LoopEnv env_;
};

class SystemContract : public ::testing::TestWithParam<contract::SystemFactory> {
  protected:
    void SetUp() override { env_ = GetParam()(); }
    plat::System& sys() { return *env_.system; }

    contract::SystemEnv env_;
};

class FilesContract : public ::testing::TestWithParam<contract::FilesFactory> {
  protected:
    void SetUp() override { env_ = GetParam()(); }
    plat::Files& files() { return *env_.files; }

    contract::FilesEnv env_;
};

class UuidsContract : public ::testing::TestWithParam<contract::UuidsFactory> {
  protected:
    void SetUp() override { env_ = GetParam()(); }
    plat::Uuids& uuids() { return *env_.uuids; }

    contract::UuidsEnv env_;
};

class ShellContract : public ::testing::TestWithParam<contract::ShellFactory> {
  protected:
    static constexpr std::uint32_t kId = 1000;
    static constexpr std::uint32_t kOtherId = 1001;

    void SetUp() override {
        env_ = GetParam()();
        if (!env_.skipReason.empty()) GTEST_SKIP() << env_.skipReason;
    }
    void TearDown() override {
        if (!env_.shell || !env_.skipReason.empty()) return;
        for (std::uint32_t id : {kId, kOtherId}) env_.shell->NotifyIcon(plat::kNimDelete, Rec(id));
    }
    plat::NotifyIconRecord Rec(std::uint32_t id, int icon = 0, std::string tip = "") const {
        plat::NotifyIconRecord r;
        r.owner = env_.owner;
        r.id = id;
        r.flags = plat::kNifMessage | plat::kNifIcon | plat::kNifTip;
        r.callbackMessage = 0x8080;
        r.icon = icon;
        r.tip = std::move(tip);
        return r;
    }
    bool Notify(std::uint32_t action, const plat::NotifyIconRecord& r) {
        return env_.shell->NotifyIcon(action, r);
    }

    contract::ShellEnv env_;
};
