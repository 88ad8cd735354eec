// The control panel's start-page parameter, in its narrow and wide forms, and the applet's
// texts copied into the fixed fields of NEWCPLINFO.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "nicset/applet.h"
#include "sim/modal.h"
#include "tests/native/applet_windows.h"

namespace {

template <std::size_t N>
void ExpectTerminated(const char (&field)[N]) {
    if (!std::memchr(field, 0, N)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string texts = in.ConsumeRandomLengthString(400);
    const std::string narrow = in.ConsumeRandomLengthString(300);
    std::vector<char16_t> wide;
    while (in.remaining_bytes() >= 2) wide.push_back(in.ConsumeIntegral<char16_t>());
    wide.push_back(0);

    sim::ModalRunner modal;
    nicset::CControlPanelApp app{{[&](int) { return texts; }, [](int) -> void* { return nullptr; },
                                  &modal, "C:\\WINDOWS\\SYSTEM\\nicset01.dll"}};
    app.InitInstance([] { return std::make_unique<SheetWindow>(); });
    if (app.OnCplMsg(0, nicset::kCplInit, 0, 0) != 1) std::abort();

    nicset::NewCplInfo info;
    std::memset(&info, 'x', sizeof info);
    app.OnCplMsg(0, nicset::kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&info));
    ExpectTerminated(info.name);
    ExpectTerminated(info.info);
    ExpectTerminated(info.helpFile);

    // The page each form opens on; -1 when no sheet ran.
    auto started = [&](std::uint32_t msg, const void* parameter) {
        int page = -1;
        modal.ExpectSheet([&](ui::PropertySheet& s) { page = s.ActiveIndex(); });
        app.OnCplMsg(0, msg, 0, reinterpret_cast<std::intptr_t>(parameter));
        if (page < 0 || page > 2) std::abort();
        return page;
    };
    const std::string terminated = narrow.c_str();  // as the shell passes it
    const int narrowPage = started(nicset::kCplStartWParms, terminated.c_str());
    started(nicset::kCplStartWParmsW, wide.data());
    // The same ASCII text in either form opens the same page.
    std::vector<char16_t> widened(terminated.begin(), terminated.end());
    widened.push_back(0);
    bool ascii = true;
    for (char c : terminated) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && terminated.size() < 260 &&
        started(nicset::kCplStartWParmsW, widened.data()) != narrowPage)
        std::abort();
    app.OnCplMsg(0, nicset::kCplExit, 0, 0);
    return 0;
}
