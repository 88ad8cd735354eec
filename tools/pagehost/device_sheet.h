// A stand-in for the device manager: an adapter's property sheet with the pages a library's
// NetPropPageProvider adds to it. Used by nicset-pagehost.exe and the Windows-side tests.
#pragma once
// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include <string>

namespace pagehost {

struct DeviceSheet {
    std::string caption;  // "<device description> Properties"
    int pagesAdded = 0;
    bool provided = false;  // what the provider answered
    INT_PTR result = -1;    // what PropertySheet answered (-1: not shown)
};

// Finds the first present network device whose description holds name (as a user picks it
// in the device manager), asks the library for its advanced pages and shows them modally, owned by
// owner.
DeviceSheet ShowDeviceSheet(HMODULE library, const std::string& name, HWND owner);

}  // namespace pagehost
