// velmora on a simulated PC with the ZN6200 installed, a radio holding only the given
// networks, and the driver configured for one of them.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/velmora.h"
#include "sim/pc.h"
#include "sim/radio.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

inline sim::RadioNetwork Net(std::string ssid, std::uint32_t privacy = 0, bool adHoc = false) {
    sim::RadioNetwork n;
    n.bssid = {0x00, 0x1D, 0x5A, 0x30, 0x00, 0x07};
    n.ssid = std::move(ssid);
    n.frequency = 2437;
    n.privacy = privacy;
    n.signal = 45;
    n.adHoc = adHoc;
    n.rates = {1, 2, 5, 11};
    return n;
}

// The program starts at once; Run lets the driver join.
struct RadioProgram {
    sim::Pc pc;
    sim::Zn6200* card = nullptr;
    plat::Platform platform = pc.platform();
    std::unique_ptr<app::Velmora> velmora;

    RadioProgram(const std::vector<sim::RadioNetwork>& networks, const std::string& ssid,
                 bool adHoc = false) {
        card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg"),
                                      sim::Zn6200Options{true});
        EXPECT_TRUE(card);
        sim::ClearRadioNetworks(pc.registry());
        for (std::size_t i = 0; i < networks.size(); ++i)
            sim::WriteRadioNetwork(pc.registry(), std::to_string(i), networks[i]);
        auto key = pc.registry().Open(card->DriverKeyPath());
        plat::WriteString(*key, "ssid", ssid);
        plat::WriteString(*key, "bssType", adHoc ? "2" : "1");
        velmora = std::make_unique<app::Velmora>(platform);
        form().cbSSID.SetText(ssid);
    }
    app::TForm1& form() { return velmora->form; }
    void Run(std::uint64_t ms) { pc.loop().Advance(ms); }
    auto Tray() { return pc.shell().Icon(app::kTrayIconId); }
};
