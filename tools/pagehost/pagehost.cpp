// nicset-pagehost [library [device name]]: shows a network adapter's property sheet with the
// pages the library adds (nicset01.dll beside this program and the ZN6200 when not named), as
// the device manager would.
#include <cstdio>
#include <string>

#include "tools/pagehost/device_sheet.h"

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : "nicset01.dll";
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) {
        std::fprintf(stderr, "cannot load %s (error %lu)\n", path.c_str(), GetLastError());
        return 2;
    }
    const pagehost::DeviceSheet s =
        pagehost::ShowDeviceSheet(library, argc > 2 ? argv[2] : "ZN6200", nullptr);
    std::printf("%s: provider %s, %d page(s), sheet %ld\n",
                s.caption.empty() ? "no adapter" : s.caption.c_str(), s.provided ? "TRUE" : "FALSE",
                s.pagesAdded, static_cast<long>(s.result));
    FreeLibrary(library);
    return s.pagesAdded > 0 ? 0 : 1;
}
