// velmora online on the simulated PC, as the Wine demo's PC is seeded, for tools/cost: it starts,
// joins, then runs the given simulated seconds inside OnlineSeconds, the only part callgrind
// collects. Usage: velmora-cost-probe <fixtures folder> hidden|status <seconds>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/status.h"
#include "app/velmora.h"
#include "sim/pc.h"
#include "sim/regfile.h"
#include "sim/zn6200_install.h"

namespace {

constexpr std::uint64_t kStartMs = 10'000;  // enough to find the card and join

// Kept out of line: callgrind's --toggle-collect names it.
[[gnu::noinline]] void OnlineSeconds(sim::Pc& pc, std::uint64_t seconds) {
    pc.loop().Advance(seconds * 1000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <fixtures folder> hidden|status <seconds>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const std::string_view scene = argv[2];
    if (scene != "hidden" && scene != "status") {
        std::fprintf(stderr, "scenario must be hidden or status\n");
        return 2;
    }
    sim::Pc pc;
    sim::Zn6200* card =
        sim::InstallZn6200File(pc, dir + "/zn6200-installed.reg", sim::Zn6200Options{true});
    if (!card || !sim::ImportRegFile(pc.registry(), dir + "/wzcsvc-unmanaged.reg") ||
        !sim::ImportRegFile(pc.registry(), dir + "/demo-radio.reg")) {
        std::fprintf(stderr, "the fixtures in %s do not import\n", dir.c_str());
        return 1;
    }
    plat::Platform platform = pc.platform();
    app::Velmora velmora{platform};
    pc.loop().Advance(kStartMs);
    auto& form = velmora.form;
    if (!card->Joined() || form.StationState.Caption() == app::kScanningText) {
        std::fprintf(stderr, "velmora is not online after %llu ms\n",
                     static_cast<unsigned long long>(kStartMs));
        return 1;
    }
    if (scene == "status") form.Open1Click();
    OnlineSeconds(pc, std::strtoull(argv[3], nullptr, 10));
    std::printf("%s: %s, window %s\n", argv[2], form.StationState.Caption().c_str(),
                form.Visible() ? "open" : "hidden");
    return 0;
}
