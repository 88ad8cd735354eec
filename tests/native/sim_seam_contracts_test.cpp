// The seam contracts over the simulated PC's loop, system, files, uuids and shell.
#include <gtest/gtest.h>

#include <string>

#include "sim/clock.h"
#include "sim/files.h"
#include "sim/shell.h"
#include "sim/system.h"
#include "sim/uuids.h"
#include "tests/contract/seam_envs.h"

namespace {

contract::LoopEnv SimLoop() {
    auto loop = std::make_unique<sim::Loop>();
    sim::Loop* l = loop.get();
    contract::LoopEnv env;
    env.loop = std::move(loop);
    env.virtualTime = true;
    env.now = [l] { return l->NowMs(); };
    env.runUntil = [l](const std::function<bool()>& done, std::uint32_t maxMs) {
        for (std::uint32_t i = 0; i < maxMs && !done(); ++i) l->Advance(1);
    };
    auto seen = std::make_shared<bool>(false);
    env.takeQuit = [l, seen] {
        // The simulated loop keeps the request; report each one once.
        const bool fresh = l->QuitRequested() && !*seen;
        if (fresh) *seen = true;
        return fresh;
    };
    return env;
}

contract::SystemEnv SimSystem() {
    return {std::make_unique<sim::System>(), "VelmoraContract"};
}

contract::FilesEnv SimFiles() {
    auto files = std::make_unique<sim::Files>();
    contract::FilesEnv env;
    env.versionedPath = "C:\\WINDOWS\\System32\\drivers\\zn620nd5.sys";
    env.knownVersion = plat::FileVersion{2, 0, 0, 172};
    env.timedPath = "C:\\Temp\\timed.txt";
    env.timedWrite = sim::FileTimeFromCivil(2021, 3, 4, 5, 6, 8);
    env.missingPath = "C:\\Temp\\missing.txt";
    files->AddFile(env.versionedPath, env.knownVersion, sim::FileTimeFromCivil(2002, 7, 24));
    files->AddFile(env.timedPath, std::nullopt, env.timedWrite);
    files->SetTimeZoneOffsetMinutes(-330);
    env.files = std::move(files);
    return env;
}

contract::UuidsEnv SimUuids() {
    return {std::make_unique<sim::Uuids>()};
}

contract::ShellEnv SimShell() {
    contract::ShellEnv env;
    env.shell = std::make_unique<sim::Shell>();
    env.owner = 0x1234;
    env.iconA = 1;
    env.iconB = 2;
    return env;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Sim, LoopContract, ::testing::Values(&SimLoop),
                         [](const auto&) { return std::string("sim"); });
INSTANTIATE_TEST_SUITE_P(Sim, SystemContract, ::testing::Values(&SimSystem),
                         [](const auto&) { return std::string("sim"); });
INSTANTIATE_TEST_SUITE_P(Sim, FilesContract, ::testing::Values(&SimFiles),
                         [](const auto&) { return std::string("sim"); });
INSTANTIATE_TEST_SUITE_P(Sim, UuidsContract, ::testing::Values(&SimUuids),
                         [](const auto&) { return std::string("sim"); });
INSTANTIATE_TEST_SUITE_P(Sim, ShellContract, ::testing::Values(&SimShell),
                         [](const auto&) { return std::string("sim"); });
