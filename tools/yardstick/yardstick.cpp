// yardstick [milliseconds]: the least a tray utility of velmora's kind can be, to measure
// velmora's start and memory against under the same Wine: one hidden top-level window with a
// tab control, and a tray icon added as soon as the window exists. Plain Win32, none of our
// libraries. It ends by itself after the given time, if one is given, or when its window is
// closed; either way it removes its icon.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kIconId = 1000;
constexpr UINT kCallbackMessage = WM_APP + 0x80;
constexpr UINT_PTR kLifeTimer = 1;
constexpr char kClassName[] = "YardstickWindow";

bool NotifyIcon(HWND hwnd, DWORD action) {
    NOTIFYICONDATAA nid;
    std::memset(&nid, 0, sizeof nid);
    nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
    nid.hWnd = hwnd;
    nid.uID = kIconId;
    if (action == NIM_ADD) {
        nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        nid.uCallbackMessage = kCallbackMessage;
        nid.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        std::strcpy(nid.szTip, "yardstick");
    }
    return Shell_NotifyIconA(action, &nid) != FALSE;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            const HWND tabs =
                CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 13,
                                8, 365, 386, hwnd, nullptr, nullptr, nullptr);
            if (!tabs) return -1;
            const char* names[] = {"Status",   "Configuration", "Security",
                                   "Stations", "Statistics",    "About"};
            for (int i = 0; i < 6; ++i) {
                TCITEMA item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<char*>(names[i]);
                SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
            }
            return 0;
        }
        case WM_TIMER:
            if (wparam == kLifeTimer) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            NotifyIcon(hwnd, NIM_DELETE);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const unsigned long lifeMs = std::strtoul(commandLine, nullptr, 10);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    if (!InitCommonControlsEx(&icc)) return 2;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return 2;
    // Hidden, as velmora starts: only the tray icon shows.
    const HWND hwnd =
        CreateWindowExA(0, kClassName, "yardstick", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                        CW_USEDEFAULT, 396, 466, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 2;
    if (!NotifyIcon(hwnd, NIM_ADD)) {
        DestroyWindow(hwnd);
        return 3;
    }
    if (lifeMs > 0) SetTimer(hwnd, kLifeTimer, static_cast<UINT>(lifeMs), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
