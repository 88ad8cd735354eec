// The whole program on the simulated PC with every driver answer fuzzed (fuzz/fuzzed_driver.h),
// driven as a user and Windows would: time passing with its timers, every page, Re-Scan, the
// network name drop-down, the tray icon and its menu, the window shown and hidden, the card
// pulled and put back. Everything reaches the program through its error boundary.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/velmora.h"
#include "fuzz/fuzz_pc.h"
#include "fuzz/fuzzed_driver.h"
#include "sim/pc.h"
#include "sim/regfile.h"

namespace {

constexpr const char* kCardInstance =
    "PCI\\VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01\\4&1f7dbc9f&0&40f0";

// Windows' own wireless service leaves the card alone: the Configuration and Security pages
// are on view.
constexpr const char* kZeroConfigOff =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\"
    "{8C2F6E3A-0B1D-4F5E-9A7C-3D2E1F0A9B8C}]\n"
    "\"ControlFlags\"=dword:00000000\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    fuzz::FuzzedProgram program(in.ConsumeBool() ? kZeroConfigOff : "");
    sim::Pc& pc = program.pc;
    fuzz::FuzzedDriver& driver = program.driver;
    app::Velmora& velmora = program.velmora;
    app::TForm1& form = velmora.form;
    // The hardware timer, then the search, with sound answers: the program is online.
    pc.loop().Advance(1700);
    if (!form.AdapterOnline) std::abort();

    driver.in = &in;
    // Mostly the user has the window open on the page a control stands on before using it.
    auto onView = [&](ui::TabSheet& page) {
        if (in.ConsumeIntegralInRange(0, 3) == 0) return;
        form.Show();
        form.PageControl1.UserChangePage(page);
    };
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 200) {
        const int step = in.ConsumeIntegralInRange(0, 15);
        velmora.boundary.Run([&] {
            switch (step) {
                case 0:
                    form.PageControl1.UserChangePage(in.ConsumeIntegralInRange(0, 6));
                    break;
                case 1:
                    onView(form.TabSheet7);
                    form.btReScan.UserClick();
                    break;
                case 2:
                    onView(form.TabSheet2);
                    form.cbSSID.UserDropDown();
                    break;
                case 3:
                    onView(form.TabSheet2);
                    form.cbSSID.UserSelect(in.ConsumeIntegralInRange(-1, 8));
                    break;
                case 4:
                    onView(form.TabSheet2);
                    form.cbSSID.UserType(in.ConsumeRandomLengthString(40));
                    break;
                case 5:
                    form.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId,
                                        app::kWmLButtonUp);
                    break;
                case 6:
                    pc.loop().SetCursorFails(in.ConsumeIntegralInRange(0, 7) == 0);
                    pc.loop().SetCursor(in.ConsumeIntegralInRange(0, 2000),
                                        in.ConsumeIntegralInRange(0, 2000));
                    form.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId,
                                        app::kWmRButtonUp);
                    break;
                case 7:
                    // Exit ends the process: left out.
                    (in.ConsumeBool() ? form.Open1 : form.About1).UserClick();
                    break;
                case 8:
                    driver.Pull();
                    pc.setup().SetPresent(kCardInstance, false);
                    if (pc.setup().IsPresent(kCardInstance)) std::abort();
                    break;
                case 9:
                    driver.Insert();
                    pc.setup().SetPresent(kCardInstance, true);
                    break;
                case 10:
                    form.Show();
                    break;
                case 11:
                    form.UserCloseButton();
                    break;
                case 12:
                    (in.ConsumeBool() ? form.btOK : form.btCancel).UserClick();
                    break;
                case 13:
                    onView(form.TabSheet2);
                    form.Apply.UserClick();
                    break;
                default:
                    pc.loop().Advance(in.ConsumeIntegralInRange(1, 5000));
                    break;
            }
        });
        fuzz::CheckShown(form);
        if (pc.shell().Icons().size() > 1) std::abort();
    }
    driver.in = nullptr;
    return 0;
}
