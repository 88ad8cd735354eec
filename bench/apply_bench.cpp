// Apply's own work: the checks, the capture, the driver writes, the reload and the pages shown
// again. On Windows 98 there is no device restart, so no class-installer call and no wait; the
// reboot message is answered at once by the simulated PC.
#include <benchmark/benchmark.h>

#include "app/velmora.h"
#include "sim/pc.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

void ApplyOwnWork(benchmark::State& state) {
    sim::Pc pc;
    pc.system().SetVersion({plat::OsFamily::Win95, 4, 10});
    if (!sim::InstallZn6200File(pc, FixturePath("zn6200-win98.reg"))) {
        state.SkipWithError("no card");
        return;
    }
    plat::Platform platform = pc.platform();
    app::Velmora velmora{platform};
    auto& f = velmora.form;
    pc.loop().Advance(3000);
    for (int i = 0; i < 5; ++i) f.cbProFile.AddItem("Profile " + std::to_string(i));
    f.chWEPEncryption.SetChecked(true);
    f.rbManu.SetChecked(true);
    f.rbKey1.SetChecked(true);
    for (auto _ : state) {
        state.PauseTiming();
        f.cbSSID.SetText("Lighthouse");
        f.EditFirst.SetText("0A1B2C3D4E");
        f.Apply.SetEnabled(true);
        pc.dialogs().Clear();
        state.ResumeTiming();
        f.ApplyClick();
    }
}
BENCHMARK(ApplyOwnWork)->Unit(benchmark::kMicrosecond);

}  // namespace
