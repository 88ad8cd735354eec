// velmora.exe: the real platform, the main window bound to real windows, the message loop.
#include <windows.h>

#include <exception>
#include <utility>
#include <vector>

#include "app/velmora.h"
#include "win32/binding.h"
#include "win32/devices.h"
#include "win32/dialogs.h"
#include "win32/files.h"
#include "win32/loop.h"
#include "win32/packet.h"
#include "win32/registry.h"
#include "win32/services.h"
#include "win32/shell.h"
#include "win32/system.h"
#include "win32/uuids.h"

namespace {

// The application's own hidden window, which carries the application title for the system.
class ApplicationWindow {
  public:
    ApplicationWindow()
        : hwnd_(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", app::kApplicationTitle, WS_POPUP, 0, 0,
                                0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~ApplicationWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  private:
    HWND hwnd_;
};

int Run() {
    ApplicationWindow application;
    win32::Loop loop;
    win32::Registry registry;
    win32::SetupApi setup;
    win32::ServiceControl services;
    win32::PacketAccess packet;
    win32::Shell shell;
    win32::Dialogs dialogs;
    win32::Files files;
    win32::Uuids uuids;
    win32::System system;
    plat::Platform platform{registry, setup, services, packet, shell,
                            dialogs,  files, uuids,    system, loop};

    app::Velmora program(platform);
    app::TForm1& form = program.form;
    // The tray icons' pictures, by the ids the program hands the shell.
    std::vector<win32::Icon> icons;
    for (auto [id, image] :
         {std::pair{app::kPictureScan, &form.IconScan}, std::pair{app::kPictureBad, &form.IconBad},
          std::pair{app::kPicturePoor, &form.IconPool},
          std::pair{app::kPictureGood, &form.IconGood}}) {
        icons.push_back(win32::MakeIcon(image->Picture()));
        shell.RegisterIcon(id, icons.back().get());
    }
    win32::Binding binding;
    binding.SetBoundary(&program.boundary);
    // A second copy has asked the loop to end already and shows nothing.
    if (form.SecondCopy()) return 0;
    if (!binding.CreateFormWindow(form)) return 1;
    return loop.Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return Run();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), app::kApplicationTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}
