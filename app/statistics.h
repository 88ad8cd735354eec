// Traffic figures of the Statistics page that do not depend on the window.
#pragma once
#include <cstdint>
#include <string>

namespace app {

// What one poll shows for one direction.
struct RateStep {
    int sample = 0;  // the graph's value: 100 x log10 of the rate in Kbits/sec
    std::string maxText, currentText;
};

// Takes the kilobit total of this poll; prevKbits and maxRate carry from poll to poll (a
// cycle is one second, so a difference is a rate).
RateStep StepRate(std::uint64_t& prevKbits, std::uint64_t& maxRate, std::uint64_t kbits);

// A driver counter of `written` little-endian bytes (at most 8 are read).
std::uint64_t CounterValue(const std::uint8_t* data, std::uint32_t written);

}  // namespace app
