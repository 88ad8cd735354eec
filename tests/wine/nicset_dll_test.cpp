// nicset01.dll as Windows loads it: its undecorated entries, its own resources.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <cpl.h>
// clang-format on

#include <string>
#include <vector>

#include "config/stored_key.h"
#include "nicset/prop_sheet.h"
#include "sim/pc.h"
#include "sim/regfile.h"
#include "tests/contract/devices_contract.h"
#include "tests/native/apply_program.h"
#include "tools/pagehost/device_sheet.h"
#include "win32/modal.h"
#include "win32/registry.h"

namespace {

std::string NicsetPath() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p(exe, n);
    for (int up = 0; up < 3; ++up) p.erase(p.find_last_of("\\/"));
    return p + "\\win32\\nicset01.dll";
}

using CplEntry = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);

// The real registry as an installed adapter with two profiles, removed again afterwards.
struct InstalledCard {
    win32::Registry reg;
    InstalledCard() {
        Clean();
        for (const char* f : {"zn6200-installed.reg", "demo-profiles.reg"}) {
            auto r = sim::ImportRegFile(reg, FixturePath(f));
            EXPECT_TRUE(r) << f << " line " << r.line << ": " << r.message;
        }
    }
    ~InstalledCard() { Clean(); }
    void Clean() {
        reg.DeleteTree(
            "SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01");
        reg.DeleteTree(
            "SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_7A7B&DEV_3100&SUBSYS_31007A7B&REV_02");
        const std::string net =
            "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
        reg.DeleteTree(net + "0000");
        reg.DeleteTree(net + "0001");
        reg.DeleteTree("SYSTEM\\CurrentControlSet\\Services\\CV7720");
        reg.DeleteTree("SOFTWARE\\VelmoraSim");
    }
};

TEST(NicsetDll, AnswersTheControlPanelFromItsOwnResources) {
    InstalledCard installed;
    HMODULE dll = LoadLibraryA(NicsetPath().c_str());
    ASSERT_TRUE(dll) << NicsetPath() << " error " << GetLastError();
    auto cpl =
        reinterpret_cast<CplEntry>(reinterpret_cast<void*>(GetProcAddress(dll, "CPlApplet")));
    ASSERT_TRUE(cpl);
    EXPECT_TRUE(GetProcAddress(dll, "NetPropPageProvider"));
    EXPECT_EQ(cpl(nullptr, CPL_INIT, 0, 0), 1);
    EXPECT_EQ(cpl(nullptr, CPL_GETCOUNT, 0, 0), 1);
    CPLINFO info{-1, -1, -1, -1};
    EXPECT_EQ(cpl(nullptr, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.idIcon, -1);
    NEWCPLINFOA n{};
    EXPECT_EQ(cpl(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&n)), 0);
    EXPECT_EQ(n.dwSize, sizeof n);
    EXPECT_STREQ(n.szName, "Corvane NIC Configuration");
    EXPECT_STREQ(n.szInfo, "Configures Corvane NIC");
    EXPECT_TRUE(n.hIcon);
    for (int id : {101, 106, 107, 110, 111})
        EXPECT_TRUE(FindResourceA(dll, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5))) << id;
    // Opening runs dialog 110 modally; a timer looks at it and cancels it.
    static HWND seen = nullptr;
    static std::string list;
    static HWND sheet = nullptr;
    static HBRUSH detailsBrush = nullptr;
    seen = sheet = nullptr;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        seen = FindWindowA(nullptr, "Corvane NIC Configuration");
        if (!seen) return;
        char text[64] = {};
        HWND lb = GetDlgItem(seen, 1032);
        if (lb && SendMessageA(lb, LB_GETCOUNT, 0, 0) > 0)
            SendMessageA(lb, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
        list = text;
        // The details text keeps the dialog's own background: no model asks for a colour.
        HDC dc = GetDC(seen);
        detailsBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(seen, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(seen, 1036))));
        ReleaseDC(seen, dc);
        // New opens the profile's sheet; a second look cancels it, then the dialog.
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id2, DWORD) {
            KillTimer(nullptr, id2);
            sheet = FindWindowA(nullptr, "Network Configuration Settings");
            if (sheet) PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            PostMessageA(seen, WM_COMMAND, IDCANCEL, 0);
        });
        PostMessageA(GetDlgItem(seen, 1033), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(cpl(nullptr, CPL_DBLCLK, 0, 0), 0);
    EXPECT_TRUE(seen) << "dialog 110 was not shown";
    EXPECT_EQ(list, "Home");  // sorted: Home before Office
    EXPECT_EQ(detailsBrush, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_TRUE(sheet) << "New did not open the profile's sheet";
    EXPECT_EQ(cpl(nullptr, CPL_STOP, 0, 0), 0);
    EXPECT_EQ(cpl(nullptr, CPL_EXIT, 0, 0), 0);
    FreeLibrary(dll);
}

// The profile sheet from the library's own templates: page 106 takes its models, and its
// address edit refuses a colon typed into the real window.
TEST(NicsetDll, TheGeneralPageRunsOnItsTemplate) {
    HMODULE dll = LoadLibraryA(NicsetPath().c_str());
    ASSERT_TRUE(dll);
    sim::Pc pc;  // its message boxes and beeps are recorded, never shown
    plat::Platform platform = pc.platform();
    win32::Binding binding;
    win32::ModalRunner modal(binding, dll);
    nicset::CVHlpPropSheet sheet(platform);
    sheet.general.fields = {"Office", "Quay", 1, 1, 1, "", 0, "Office", {"Office", "Home"}};
    static HWND page = nullptr;
    static std::string typed;
    page = nullptr;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND s = FindWindowA(nullptr, "Network Configuration Settings");
        if (!s) return;
        page = reinterpret_cast<HWND>(SendMessageA(s, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND address = page ? GetDlgItem(page, 1009) : nullptr;
        for (char c : std::string("0a:c")) SendMessageA(address, WM_CHAR, c, 0);
        char text[32] = {};
        GetWindowTextA(address, text, sizeof text);
        typed = text;
        // OK: the three digits fail the leaving check, which keeps the sheet open.
        SendMessageA(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
        PostMessageA(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(modal.RunModal(sheet), ui::kResultCancel);
    EXPECT_TRUE(page) << "the sheet was not shown";
    EXPECT_EQ(typed, "0AC");
    EXPECT_EQ(sheet.general.edAddress.Text(), "0AC");
    EXPECT_EQ(pc.dialogs().Beeps(), (std::vector<std::uint32_t>{plat::kMbIconError}));
    ASSERT_EQ(pc.dialogs().Boxes().size(), 1u);
    EXPECT_EQ(pc.dialogs().Boxes()[0].caption, "Network Configuration Settings(General)");
    FreeLibrary(dll);
}

// Page 107 on its template: a stored key shows its placeholder, one digit typed into the real
// window replaces it, and leaving with too few digits keeps the page with its length line.
TEST(NicsetDll, TheSecurityPageRunsOnItsTemplate) {
    HMODULE dll = LoadLibraryA(NicsetPath().c_str());
    ASSERT_TRUE(dll);
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    win32::Binding binding;
    win32::ModalRunner modal(binding, dll);
    nicset::CVHlpPropSheet sheet(platform);
    sheet.security.fields.securityOn = 1;
    sheet.security.fields.defaultKey = 1;
    sheet.security.fields.sharedKeys[0] = "0011223344556677";
    sheet.SetStartPage(1);
    static std::string placeholder, typed;
    placeholder.clear(), typed.clear();
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND s = FindWindowA(nullptr, "Network Configuration Settings");
        if (!s) return;
        HWND page = reinterpret_cast<HWND>(SendMessageA(s, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND first = page ? GetDlgItem(page, 1011) : nullptr;
        char text[40] = {};
        GetWindowTextA(first, text, sizeof text);
        placeholder = text;
        SendMessageA(first, WM_CHAR, '7', 0);
        GetWindowTextA(first, text, sizeof text);
        typed = text;
        SendMessageA(s, PSM_SETCURSEL, 2, 0);
        PostMessageA(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(modal.RunModal(sheet), ui::kResultCancel);
    EXPECT_EQ(placeholder, "HHHHHHHHHH");
    EXPECT_EQ(typed, "7");
    EXPECT_FALSE(sheet.security.HoldsStoredValue(0));
    ASSERT_EQ(pc.dialogs().Boxes().size(), 1u);
    EXPECT_EQ(pc.dialogs().Boxes()[0].caption, "Network Configuration Settings(Security)");
    EXPECT_NE(pc.dialogs().Boxes()[0].text.find("Shared Key - First:"), std::string::npos);
    EXPECT_EQ(sheet.security.fields.sharedKeys[0], "0011223344556677");
    FreeLibrary(dll);
}

// The provider's page in a real device sheet, as nicset-pagehost shows it: the adapter's two
// profiles in its list, and Cancel closes the sheet.
TEST(NicsetDll, TheDevicePageShowsInTheAdaptersSheet) {
    InstalledCard installed;
    HMODULE dll = LoadLibraryA(NicsetPath().c_str());
    ASSERT_TRUE(dll);
    static int listed = -1;
    listed = -1;
    SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND s = FindWindowA(nullptr, "Velmora ZN6200 802.11a/b Wireless Adapter Properties");
        if (!s) return;
        HWND page = reinterpret_cast<HWND>(SendMessageA(s, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND list = page ? GetDlgItem(page, IDC_PAGE_CONFIGURATIONS) : nullptr;
        if (list) listed = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        PostMessageA(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    const pagehost::DeviceSheet sheet = pagehost::ShowDeviceSheet(dll, "ZN6200", nullptr);
    EXPECT_TRUE(sheet.provided);
    EXPECT_EQ(sheet.pagesAdded, 1);
    EXPECT_EQ(sheet.result, 0);  // cancelled
    EXPECT_EQ(listed, 2) << "the page's list was not seen";
    FreeLibrary(dll);
}

}  // namespace

namespace {

void Type(HWND h, const std::string& text) {
    for (char c : text) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(c), 0);
}
void Pick(HWND h, WPARAM index) {
    SendMessageA(h, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
}
HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// What the timers below saw and did, for the test to check afterwards.
struct NewProfileRun {
    HWND sheet = nullptr;
    bool sheetClosed = false;
    std::vector<std::string> boxes;  // caption and text of each message box seen
    int looks = 0;
};
NewProfileRun run;

}  // namespace

// The path a user takes in the real applet: New, a WEP profile with two shared keys and a
// locally administered address, OK, and No to the restart. Moved onto a simulated PC with the
// same card, that registry is what the driver then uses and what velmora shows.
TEST(NicsetDll, AProfileMadeWithNewIsWhatVelmoraAndTheDriverUse) {
    InstalledCard installed;
    HMODULE dll = LoadLibraryA(NicsetPath().c_str());
    ASSERT_TRUE(dll);
    auto cpl =
        reinterpret_cast<CplEntry>(reinterpret_cast<void*>(GetProcAddress(dll, "CPlApplet")));
    ASSERT_TRUE(cpl);
    ASSERT_EQ(cpl(nullptr, CPL_INIT, 0, 0), 1);
    run = {};
    // Any message box gets No (the restart question) or is closed, its text kept; a sheet or
    // list still up after a few looks is cancelled, so that a failure cannot hang the test.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR, DWORD) {
        ++run.looks;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM) -> BOOL {
                char cls[16] = {}, caption[64] = {}, text[512] = {};
                GetClassNameA(w, cls, sizeof cls);
                GetWindowTextA(w, caption, sizeof caption);
                if (!IsWindowVisible(w) || std::string(cls) != "#32770") return TRUE;
                if (GetDlgItem(w, 0xFFFF) && !GetDlgItem(w, 1033) && !CurrentPage(w)) {
                    GetDlgItemTextA(w, 0xFFFF, text, sizeof text);
                    run.boxes.push_back(std::string(caption) + ": " + text);
                    PostMessageA(w, WM_COMMAND, IDNO, 0);
                    PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                } else if (run.looks > 12) {
                    PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                    PostMessageA(w, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                }
                return TRUE;
            },
            0);
    });
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND dlg = FindWindowA(nullptr, "Corvane NIC Configuration");
        if (!dlg) return;
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id2, DWORD) {
            KillTimer(nullptr, id2);
            HWND s = run.sheet = FindWindowA(nullptr, "Network Configuration Settings");
            if (!s) return;
            HWND general = CurrentPage(s);
            SetWindowTextA(GetDlgItem(general, 1004), "Pier");
            SetWindowTextA(GetDlgItem(general, 1007), "Pier");
            SendMessageA(GetDlgItem(general, 1012), BM_CLICK, 0, 0);
            Type(GetDlgItem(general, 1009), "02aabbccddee");
            SendMessageA(s, PSM_SETCURSEL, 1, 0);
            HWND security = CurrentPage(s);
            SendMessageA(GetDlgItem(security, 1013), BM_CLICK, 0, 0);
            Type(GetDlgItem(security, 1011), "0A1B2C3D4E");
            Pick(GetDlgItem(security, 1024), 1);
            Type(GetDlgItem(security, 1002), "00112233445566778899AABBCC");
            HWND def = GetDlgItem(security, 1016);
            // The list of default keys is made afresh as it drops down.
            SendMessageA(security, WM_COMMAND, MAKEWPARAM(1016, CBN_DROPDOWN),
                         reinterpret_cast<LPARAM>(def));
            Pick(def, SendMessageA(def, CB_FINDSTRINGEXACT, WPARAM(-1),
                                   reinterpret_cast<LPARAM>("Second")));
            SendMessageA(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
        });
        SetTimer(nullptr, 0, 1200, [](HWND, UINT, UINT_PTR id3, DWORD) {
            KillTimer(nullptr, id3);
            run.sheetClosed = !FindWindowA(nullptr, "Network Configuration Settings");
            HWND dlg3 = FindWindowA(nullptr, "Corvane NIC Configuration");
            if (dlg3) PostMessageA(dlg3, WM_COMMAND, run.sheetClosed ? IDOK : IDCANCEL, 0);
        });
        PostMessageA(GetDlgItem(dlg, 1033), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(cpl(nullptr, CPL_DBLCLK, 0, 0), 0);
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(cpl(nullptr, CPL_EXIT, 0, 0), 0);
    FreeLibrary(dll);
    ASSERT_TRUE(run.sheet) << "New did not open the profile's sheet";
    std::string boxes;
    for (const auto& b : run.boxes) boxes += "\n" + b;
    ASSERT_TRUE(run.sheetClosed) << "the sheet refused OK" << boxes;
    ASSERT_EQ(run.boxes.size(), 1u) << (run.boxes.empty() ? "" : run.boxes[0]);
    EXPECT_NE(run.boxes[0].find("restart your computer"), std::string::npos) << run.boxes[0];

    ApplyProgram velmora({Net("Harbor")});
    auto pier = Net("Pier", 1);
    pier.bssid[5] = 0x08;
    pier.key = "00112233445566778899AABBCC";
    sim::WriteRadioNetwork(velmora.pc.registry(), "1", pier);
    auto text = sim::ExportReg(installed.reg, velmora.card->DriverKeyPath());
    ASSERT_TRUE(text);
    ASSERT_TRUE(sim::ImportReg(velmora.pc.registry(), *text));
    velmora.card->DeviceStopped();  // the restart the user put off
    velmora.card->DeviceStarted();
    velmora.Run(8000);
    EXPECT_EQ(velmora.card->TakenKey(), pier.key);
    EXPECT_EQ(velmora.card->TakenParameters().networkAddress, "02AABBCCDDEE");
    auto& f = velmora.form();
    EXPECT_EQ(f.cbProFile.Text(), "Pier");
    EXPECT_EQ(f.cbSSID.Text(), "Pier");
    EXPECT_TRUE(f.chWEPEncryption.Checked());
    EXPECT_TRUE(f.rbKey2.Checked());
    const std::string id = velmora.Text("CardCfgId");
    EXPECT_EQ(f.StoredKeyText[0], config::EncodeStoredKey("0A1B2C3D4E", id));
    EXPECT_EQ(f.StoredKeyText[1], config::EncodeStoredKey(pier.key, id));
}
