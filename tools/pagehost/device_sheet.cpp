#include "tools/pagehost/device_sheet.h"

#include <devguid.h>
#include <prsht.h>

#include <vector>

namespace pagehost {

namespace {

using Provider = BOOL(WINAPI*)(PSP_PROPSHEETPAGE_REQUEST, LPFNADDPROPSHEETPAGE, LPARAM);

BOOL CALLBACK AddPage(HPROPSHEETPAGE page, LPARAM lParam) {
    reinterpret_cast<std::vector<HPROPSHEETPAGE>*>(lParam)->push_back(page);
    return TRUE;
}

std::string Property(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD which) {
    char text[1024] = {};
    if (!SetupDiGetDeviceRegistryPropertyA(set, &data, which, nullptr,
                                           reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr))
        return {};
    return text;
}

}  // namespace

DeviceSheet ShowDeviceSheet(HMODULE library, const std::string& name, HWND owner) {
    DeviceSheet out;
    auto provider = reinterpret_cast<Provider>(
        reinterpret_cast<void*>(GetProcAddress(library, "NetPropPageProvider")));
    if (!provider) return out;
    HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_NET, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) return out;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    bool found = false;
    for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(set, i, &data); ++i) {
        found = Property(set, data, SPDRP_DEVICEDESC).find(name) != std::string::npos;
    }
    if (found) {
        out.caption = Property(set, data, SPDRP_DEVICEDESC) + " Properties";
        std::vector<HPROPSHEETPAGE> pages;
        SP_PROPSHEETPAGE_REQUEST request{sizeof request, SPPSR_ENUM_ADV_DEVICE_PROPERTIES, set,
                                         &data};
        out.provided = provider(&request, AddPage, reinterpret_cast<LPARAM>(&pages)) != FALSE;
        out.pagesAdded = static_cast<int>(pages.size());
        if (!pages.empty()) {
            PROPSHEETHEADERA h{};
            h.dwSize = sizeof h;
            h.dwFlags = PSH_DEFAULT;
            h.hwndParent = owner;
            h.pszCaption = out.caption.c_str();
            h.nPages = static_cast<UINT>(pages.size());
            h.phpage = pages.data();
            out.result = PropertySheetA(&h);
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return out;
}

}  // namespace pagehost
