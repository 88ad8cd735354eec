// Registry values of every type and length, by the schema's names, in the driver key, the
// profile store and its profiles, read by both programs: velmora's start and profile loads
// (through its error boundary, as Windows would call them) and the configurator's store load.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "adapter/device_control.h"
#include "app/velmora.h"
#include "config/schema.h"
#include "config/store.h"
#include "fuzz/fuzz_pc.h"
#include "nicset/profile_store.h"
#include "sim/pc.h"
#include "sim/zn6200_install.h"

namespace {

constexpr int kProfiles = 3;

void WriteValues(plat::Registry& reg, const std::string& driverPath, FuzzedDataProvider& in) {
    auto driver = reg.Open(driverPath);
    auto store = reg.Create(config::StorePath(driverPath));
    std::unique_ptr<plat::RegKey> profiles[kProfiles];
    for (int i = 0; i < kProfiles; ++i) {
        profiles[i] = reg.Create(config::ProfilePath(driverPath, i));
        plat::WriteString(*profiles[i], "ConfigurationName", "Cfg" + std::to_string(i));
    }
    if (!driver || !store) std::abort();
    const auto schema = config::Schema();
    while (in.remaining_bytes() > 0) {
        const config::ValueDef& row =
            schema[in.ConsumeIntegralInRange<std::size_t>(0, schema.size() - 1)];
        plat::RegKey* key = row.where == config::Where::Driver ? driver.get()
                            : row.where == config::Where::Store
                                ? store.get()
                                : profiles[in.ConsumeIntegralInRange(0, kProfiles - 1)].get();
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
            key->DeleteValue(row.name);
            continue;
        }
        const plat::RegValue v = fuzz::AnyValue(in);
        key->Set(row.name, v.type, v.data);
    }
}

void CheckStore(const nicset::ProfileStore& s) {
    if (s.nicType < 0 || s.nicType > 2 || (s.nicTEnable != 0 && s.nicTEnable != 1)) std::abort();
    if (s.notAdHoc != 0 && s.notAdHoc != 1) std::abort();
    if (s.records.size() > kProfiles) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    sim::Pc pc;
    sim::Zn6200* card = sim::InstallZn6200(pc, fuzz::InstalledPcText());
    if (!card) std::abort();
    const std::string driverPath = card->DriverKeyPath();
    WriteValues(pc.registry(), driverPath, in);

    const auto store = nicset::LoadProfiles(pc.registry(), driverPath);
    if (!store) std::abort();
    CheckStore(*store);
    const std::string id = adapter::ReadCardCfgId(pc.registry(), pc.uuids(), driverPath);
    if (id.empty() || id.size() > adapter::kMaxCardCfgIdLength) std::abort();

    plat::Platform platform = pc.platform();
    app::Velmora velmora(platform);
    app::TForm1& form = velmora.form;
    velmora.boundary.Run([&] { form.BuildProfileList(); });
    for (int i = 0; i < form.cbProFile.Count(); ++i) {
        velmora.boundary.Run([&] { form.LoadProfileIntoForm(i); });
        velmora.boundary.Run([&] {
            form.cbProFile.SetItemIndex(i);
            form.cbProFileClick();
        });
    }
    // Apply turns what was loaded back into driver values and stored keys.
    velmora.boundary.Run([&] { form.ApplyClick(); });
    // Whatever velmora repaired or wrote, the configurator still reads a sound store.
    if (const auto after = nicset::LoadProfiles(pc.registry(), driverPath)) CheckStore(*after);
    return 0;
}
