// Every driver answer velmora decodes (fuzz/fuzzed_driver.h), while the status, channel, signal and
// statistics polls, the About labels, the scans and the timers run as Windows would call them,
// through the program's error boundary.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>

#include "app/velmora.h"
#include "fuzz/fuzz_pc.h"
#include "fuzz/fuzzed_driver.h"
#include "sim/pc.h"
#include "sim/regfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    fuzz::FuzzedProgram program;
    sim::Pc& pc = program.pc;
    fuzz::FuzzedDriver& driver = program.driver;
    app::Velmora& velmora = program.velmora;
    app::TForm1& form = velmora.form;
    // Mostly the card is found with sound answers; sometimes the search itself, the medium
    // and the station address checks, gets fuzzed answers.
    const bool fuzzedSearch = in.ConsumeIntegralInRange(0, 7) == 0;
    if (fuzzedSearch) driver.in = &in;
    velmora.boundary.Run([&] { form.InsertTimerTimer(); });
    if (!fuzzedSearch && !form.AdapterOnline) std::abort();

    driver.in = &in;
    while (in.remaining_bytes() > 0) {
        const int step = in.ConsumeIntegralInRange(0, 9);
        velmora.boundary.Run([&] {
            switch (step) {
                case 0:
                    form.StatusTimerTimer();
                    break;
                case 1:
                    form.ChannelTimerTimer();
                    break;
                case 2:
                    form.SignalTimerTimer();
                    break;
                case 3:
                    form.UpdateStatistics();
                    break;
                case 4:
                    form.UpdateDeviceLabels();
                    break;
                case 5:
                    form.btReScanClick();
                    break;
                case 6:
                    form.cbSSIDDropDown();
                    break;
                case 7:
                    form.InsertTimerTimer();
                    break;
                case 8:
                    form.PageControl1.SetActivePage(&form.TabSheet5);
                    break;
                default:
                    pc.loop().Advance(in.ConsumeIntegralInRange(1, 3000));
                    break;
            }
        });
        fuzz::CheckShown(form);
    }
    driver.in = nullptr;
    return 0;
}
