// The driver's scan list: any bytes, any buffer size and any reported count, through the
// decoder and every text the Stations grid and the name list make of a record.
#include "app/scan_list.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto bufferSize = in.ConsumeIntegralInRange<std::size_t>(0, app::kListScanBufferSize);
    const auto written = in.ConsumeIntegral<std::uint32_t>();
    // The buffer is exactly its size, so ASan sees any read past it.
    std::vector<std::uint8_t> buffer = in.ConsumeBytes<std::uint8_t>(bufferSize);
    buffer.resize(bufferSize);

    const auto list = app::DecodeScanList(buffer.data(), buffer.size(), written);
    const std::size_t whole = std::min<std::size_t>(written, bufferSize) / app::kScanListEntrySize;
    if (list.size() != whole) std::abort();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const app::ScanListEntry& e = list[i];
        if (e.ssid.size() > app::kScanSsidBytes) std::abort();
        if (e != app::DecodeScanListEntry(buffer.data() + i * app::kScanListEntrySize))
            std::abort();
        const auto row = app::ScanGridRow(e);
        if (row.size() != 6) std::abort();
        // Fixed-width cells: the grid's columns never see a longer text.
        if (row[1].size() != 17 || row[2].size() > 8 || row[3].size() > 4) std::abort();
        const int percent = app::SignalPercent(e.signal);
        if (percent < 0 || percent > 100) std::abort();
        for (int band = -1; band <= 3; ++band)
            for (int turbo = -1; turbo <= 2; ++turbo)
                app::OfferedInNameList(e, band & 1, turbo & 1, band, turbo);
    }
    return 0;
}
