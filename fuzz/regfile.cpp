// The simulated registry's .reg files: any text through the import, and any tree through the
// export. What is exported, in either format, imports to the same tree.
#include "sim/regfile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/registry.h"

namespace {

constexpr const char* kHives[] = {"HARDWARE", "SAM", "SECURITY", "SOFTWARE", "SYSTEM"};

[[noreturn]] void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s\n----\n%s\n----\n", what, text.c_str());
    std::abort();
}

// Each hive on its own: a hive whose export is refused (a name with a line break) is skipped.
void CheckRoundTrip(sim::Registry& reg) {
    for (const char* hive : kHives) {
        const auto tree = sim::ExportReg(reg, hive);
        if (!tree) continue;
        for (auto format : {sim::RegFormat::V5, sim::RegFormat::Regedit4}) {
            const auto text = sim::ExportReg(reg, hive, format);
            if (!text) Fail("one format exports, the other does not", *tree);
            sim::Registry copy;
            const auto result = sim::ImportReg(copy, *text);
            if (!result) Fail(("export does not import: " + result.message).c_str(), *text);
            if (sim::ExportReg(copy, hive) != tree)
                Fail("the imported export is another tree", *text);
        }
    }
}

// Keys and values of any name, type and data, as programs other than ours may leave them.
void BuildTree(sim::Registry& reg, FuzzedDataProvider& in) {
    std::vector<std::string> keys = {"SOFTWARE", "SYSTEM\\CurrentControlSet"};
    while (in.remaining_bytes() > 0) {
        const std::string& parent =
            keys[in.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1)];
        if (in.ConsumeBool()) {
            std::string path = parent + "\\" + in.ConsumeRandomLengthString(24);
            if (reg.Create(path)) keys.push_back(std::move(path));
            continue;
        }
        auto key = reg.Open(parent);
        if (!key) continue;
        const std::string name = in.ConsumeRandomLengthString(24);
        const auto type = static_cast<plat::RegType>(
            in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>()
                             : in.PickValueInArray({0u, 1u, 2u, 3u, 4u, 7u}));
        const auto bytes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 300));
        key->Set(name, type, bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Registry reg;
    // A leading zero byte, which no registry file has, asks for a built tree; anything else
    // is a registry file's text.
    if (size > 0 && data[0] == 0) {
        FuzzedDataProvider in(data + 1, size - 1);
        BuildTree(reg, in);
    } else {
        sim::ImportReg(reg, std::string_view(reinterpret_cast<const char*>(data), size));
    }
    CheckRoundTrip(reg);
    return 0;
}
