// velmora found its adapter on a simulated PC whose driver takes up new parameters only when the
// device restarts; the window is shown with its configuration pages on view.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/zero_config.h"
#include "radio_program.h"

struct ApplyProgram {
    sim::Pc pc;
    sim::Zn6200* card = nullptr;
    plat::Platform platform = pc.platform();
    std::unique_ptr<app::Velmora> velmora;

    explicit ApplyProgram(const std::vector<sim::RadioNetwork>& networks,
                          const char* fixture = "zn6200-installed.reg",
                          std::optional<plat::OsVersion> os = std::nullopt) {
        if (os) pc.system().SetVersion(*os);
        card = sim::InstallZn6200File(pc, FixturePath(fixture));
        EXPECT_TRUE(card);
        sim::ClearRadioNetworks(pc.registry());
        for (std::size_t i = 0; i < networks.size(); ++i)
            sim::WriteRadioNetwork(pc.registry(), std::to_string(i), networks[i]);
        // Windows' own wireless service leaves the card alone, so the pages stay on view.
        std::string guid;
        if (adapter::ReadAdapterValue(pc.registry(), card->DriverKeyPath(), "NetCfgInstanceId",
                                      guid))
            plat::WriteDword(
                *pc.registry().Create(plat::JoinPath(adapter::kZeroConfigInterfacesKey, guid)),
                "ControlFlags", 0);
        velmora = std::make_unique<app::Velmora>(platform);
        Run(3000);
        form().Show();
        form().PageControl1.SetActivePage(&form().TabSheet2);
    }
    app::TForm1& form() { return velmora->form; }
    void Run(std::uint64_t ms) { pc.loop().Advance(ms); }
    std::unique_ptr<plat::RegKey> Driver() { return pc.registry().Open(card->DriverKeyPath()); }
    std::string Text(std::string_view name) {
        return plat::ReadString(*Driver(), name).value_or("<missing>");
    }
    std::string Store() { return card->DriverKeyPath() + "\\CustomParams\\Configurations"; }
    std::string Profile(int i) { return Store() + "\\Cfg" + std::to_string(i); }
    // A profile as the other program writes it: no clistpro, PassLength, Phrase or WepEntry.
    void WriteProfile(int i, const std::string& name, const std::string& ssid,
                      std::uint32_t infrastructure = 1) {
        auto k = pc.registry().Create(Profile(i));
        plat::WriteString(*k, "ConfigurationName", name);
        plat::WriteString(*k, "NetworkName", ssid);
        for (auto [value, n] : std::initializer_list<std::pair<const char*, std::uint32_t>>{
                 {"NetworkConnectionType", infrastructure},
                 {"PowerManagement", 1},
                 {"NetBand", 2},
                 {"AdHocBand", 0},
                 {"EnableTurbo", 0},
                 {"tpc", 2},
                 {"Preamble", 1},
                 {"EnableSecurity", 0},
                 {"DefaultKey", 1},
                 {"SharedKey1Length", 40},
                 {"SharedKey2Length", 104},
                 {"SharedKey3Length", 40},
                 {"SharedKey4Length", 128},
                 {"UniqueKeyLength", 40}})
            plat::WriteDword(*k, value, n);
        for (const char* value : {"SharedKey1", "SharedKey2", "SharedKey3", "SharedKey4"})
            plat::WriteString(*k, value, "");
    }
    std::size_t Boxes() { return pc.dialogs().Boxes().size(); }
    const std::string& LastBox() { return pc.dialogs().Boxes().back().text; }
};
