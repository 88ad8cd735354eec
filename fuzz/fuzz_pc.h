// What the harnesses that start a program share: the fixture of a PC with the card installed,
// read once, and a fuzzed registry value.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace fuzz {

inline const std::string& InstalledPcText() {
    static const std::string text = [] {
        std::ifstream f(VELMORA_FIXTURES_DIR "/zn6200-installed.reg", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }();
    return text;
}

// Any type, any length: mostly the types the registry knows, sometimes any number, and
// lengths across the readers' 1024-byte buffer.
inline plat::RegValue AnyValue(FuzzedDataProvider& in) {
    plat::RegValue v;
    v.type =
        static_cast<plat::RegType>(in.ConsumeBool() ? in.PickValueInArray({0u, 1u, 2u, 3u, 4u, 7u})
                                                    : in.ConsumeIntegral<std::uint32_t>());
    const std::size_t length =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 40) : in.ConsumeIntegralInRange(1000, 1100);
    v.data = in.ConsumeBytes<std::uint8_t>(length);
    // Long texts need not come from the input byte by byte.
    if (v.data.size() < length) v.data.resize(length, in.ConsumeIntegral<std::uint8_t>());
    return v;
}

}  // namespace fuzz
