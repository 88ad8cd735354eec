// nicset01.dll: the two entries Windows calls, each run through the library's error boundary.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <setupapi.h>
#include <cpl.h>
// clang-format on
#undef PropertySheet

#include <cstddef>
#include <memory>
#include <string>

#include "nicset/applet.h"
#include "nicset/device_page.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/strings.h"
#include "platform/boundary.h"
#include "win32/binding.h"
#include "win32/devices.h"
#include "win32/dialogs.h"
#include "win32/modal.h"
#include "win32/registry.h"
#include "win32/system.h"
#include "win32/uuids.h"

namespace {

// The library's own module: its templates, strings and icons (never the host's).
HINSTANCE module = nullptr;

std::string ModulePath() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

std::string LoadText(int id) {
    char buf[1024] = {};
    const int n = LoadStringA(module, static_cast<UINT>(id), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n))
                 : std::string(nicset::StringText(id));
}

// The application object and what it runs on: one per process, made at the first call.
struct Library {
    win32::Registry registry;
    win32::SetupApi setup;
    win32::Dialogs dialogs;
    win32::System system;
    win32::Uuids uuids;
    nicset::Host host{registry, setup, dialogs, system, uuids};
    win32::Binding binding;
    plat::ErrorBoundary boundary;
    std::string helpFile = nicset::HelpFileBeside(ModulePath());
    win32::ModalRunner modal{binding, module, helpFile};
    nicset::CControlPanelApp app{
        {LoadText, [](int id) -> void* { return LoadIconA(module, MAKEINTRESOURCEA(id)); }, &modal,
         ModulePath()}};

    Library() {
        boundary.SetReporter(
            plat::ErrorBox(dialogs, std::string(nicset::StringText(nicset::kIdsCaption)), nullptr));
        binding.SetBoundary(&boundary);
        app.InitInstance([this]() -> std::unique_ptr<nicset::AppletWindow> {
            return std::make_unique<nicset::CVNicCfgDlg>(host, modal);
        });
    }
};

Library& Lib() {
    static Library library;
    return library;
}

// Pages handed to the device manager, kept until the library is unloaded.
std::vector<std::unique_ptr<ui::PropertyPage>>& Pages() {
    static std::vector<std::unique_ptr<ui::PropertyPage>> pages;
    return pages;
}

static_assert(sizeof(plat::CplInfo) == sizeof(CPLINFO));
static_assert(sizeof(plat::NewCplInfo) == sizeof(NEWCPLINFOA));
static_assert(offsetof(plat::NewCplInfo, name) == offsetof(NEWCPLINFOA, szName));
static_assert(offsetof(plat::NewCplInfo, icon) == offsetof(NEWCPLINFOA, hIcon));

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) module = instance;
    return TRUE;
}

extern "C" LONG APIENTRY CPlApplet(HWND hwnd, UINT msg, LPARAM lParam1, LPARAM lParam2) {
    LONG result = 1;
    Library& lib = Lib();
    lib.boundary.Run([&] {
        lib.modal.SetOwner(hwnd);
        result = lib.app.OnCplMsg(reinterpret_cast<std::uintptr_t>(hwnd), msg, lParam1, lParam2);
    });
    return result;
}

extern "C" BOOL WINAPI NetPropPageProvider(PSP_PROPSHEETPAGE_REQUEST request,
                                           LPFNADDPROPSHEETPAGE addPage, LPARAM lParam) {
    BOOL result = FALSE;
    Library& lib = Lib();
    lib.boundary.Run([&] {
        if (!request || !request->DeviceInfoData) return;
        // Borrowed for the page's life: the device manager keeps the set while its sheet lives.
        static std::unique_ptr<plat::DeviceSet> device;
        device = win32::BorrowDevice(request->DeviceInfoSet, *request->DeviceInfoData);
        if (!device) return;
        nicset::PageRequest req{request->PageRequested, device.get(), 0};
        result = nicset::ProvidePage(
            lib.host, req,
            [&](nicset::DevicePageContext context) {
                return module ? std::make_unique<nicset::DevicePage>(lib.host, lib.modal, context)
                              : nullptr;
            },
            [&](std::unique_ptr<ui::PropertyPage>& page) {
                HPROPSHEETPAGE h = lib.modal.CreatePage(*page);
                if (!h) return nicset::PageAdd::notCreated;
                if (!addPage || !addPage(h, lParam)) {
                    DestroyPropertySheetPage(h);
                    return nicset::PageAdd::refused;
                }
                Pages().push_back(std::move(page));
                return nicset::PageAdd::added;
            });
    });
    return result;
}
