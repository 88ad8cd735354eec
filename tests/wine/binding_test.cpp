// The binding of control models to real windows: program changes reach the windows without
// running handlers; the windows' notifications become the models' user events.
#include "win32/binding.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "win32/loop.h"

namespace {

std::string Text(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND h) {
    char buf[64] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

bool HasVisibleStyle(HWND h) {
    return (GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT RectIn(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Window {
    ui::Form form{"Form1"};
    ui::PageControl pc{"pc"};
    ui::TabSheet one{"one"}, two{"two"};
    ui::GroupBox group{"group"};
    ui::Button ok{"ok"};
    ui::Edit edit{"edit"};
    ui::ComboBox list{"list"};
    ui::ComboBox typed{"typed", ui::ComboStyle::DropDown};
    ui::CheckBox check{"check"};
    ui::RadioButton r1{"r1"}, r2{"r2"};
    ui::StaticText state{"state"};
    ui::ProgressBar bar{"bar"};
    ui::Label onTwo{"onTwo"};
    win32::Binding binding;  // after the models: it goes first
    HWND hwnd = nullptr;

    Window() {
        form.SetCaption("Binding test");
        form.SetClientSize(390, 437);
        pc.SetParent(&form);
        pc.SetBounds(13, 8, 365, 386);
        one.SetParent(&pc);
        one.SetCaption("One");
        two.SetParent(&pc);
        two.SetCaption("Two");
        pc.SetActivePage(&one);
        group.SetParent(&one);
        group.SetBounds(11, 64, 337, 201);
        for (ui::Control* c : std::initializer_list<ui::Control*>{&edit, &list, &typed, &check, &r1,
                                                                  &r2, &state, &bar}) {
            c->SetParent(&group);
        }
        state.SetBounds(112, 24, 209, 19);
        state.SetBorder(ui::Border::Sunken);
        edit.SetBounds(8, 50, 100, 21);
        list.SetBounds(8, 80, 100, 21);
        typed.SetBounds(120, 80, 100, 21);
        check.SetBounds(8, 110, 100, 17);
        r1.SetBounds(8, 130, 100, 17);
        r2.SetBounds(120, 130, 100, 17);
        bar.SetBounds(8, 160, 195, 9);
        onTwo.SetParent(&two);
        onTwo.SetBounds(10, 10, 100, 13);
        onTwo.SetCaption("second page");
        ok.SetParent(&form);
        ok.SetBounds(144, 401, 74, 27);
        ok.SetCaption("OK");
        list.SetItems({"Auto", "2.4GHz(802.11b)", "5GHz   (802.11a)"});
        typed.SetItems({"home", "office"});
        hwnd = binding.CreateFormWindow(form);
        form.Show();
    }
    HWND W(const ui::Component& c) const { return binding.WindowOf(c); }
    void Command(const ui::Control& c, UINT code) {
        HWND h = W(c);
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code),
                     reinterpret_cast<LPARAM>(h));
    }
};

TEST(Win32Binding, MakesAWindowPerControlAtItsPlaceInTheForm) {
    Window w;
    ASSERT_NE(w.hwnd, nullptr);
    EXPECT_EQ(w.form.Handle(), reinterpret_cast<std::uintptr_t>(w.hwnd));
    EXPECT_EQ(Text(w.hwnd), "Binding test");
    RECT client;
    GetClientRect(w.hwnd, &client);
    EXPECT_EQ(client.right, 390);
    EXPECT_EQ(client.bottom, 437);
    EXPECT_EQ(ClassOf(w.W(w.pc)), "SysTabControl32");
    EXPECT_EQ(ClassOf(w.W(w.bar)), "msctls_progress32");
    EXPECT_EQ(ClassOf(w.W(w.state)), "Static");
    EXPECT_EQ(w.W(w.one), nullptr);  // a page has no window of its own
    // A text in a group on a page: page control, page area, group, text.
    RECT display{0, 0, 365, 386};
    SendMessageA(w.W(w.pc), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    RECT r = RectIn(w.W(w.state), w.hwnd);
    EXPECT_EQ(r.left, 13 + display.left + 11 + 112);
    EXPECT_EQ(r.top, 8 + display.top + 64 + 24);
    EXPECT_EQ(r.right - r.left, 209);
    EXPECT_EQ(r.bottom - r.top, 19);
    EXPECT_TRUE(GetWindowLongPtrA(w.W(w.state), GWL_STYLE) & SS_SUNKEN);
    // The controls of the other page are hidden.
    EXPECT_TRUE(HasVisibleStyle(w.W(w.state)));
    EXPECT_FALSE(HasVisibleStyle(w.W(w.onTwo)));
    EXPECT_EQ(SendMessageA(w.W(w.pc), TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST(Win32Binding, ProgramChangesReachTheWindowsAndRunOnlyTheModelsOwnHandlers) {
    Window w;
    int editChanges = 0, listEvents = 0, checkClicks = 0, pageChanges = 0;
    w.edit.OnChange = [&] { ++editChanges; };
    w.list.OnChange = w.list.OnClick = [&] { ++listEvents; };
    w.check.OnClick = [&] { ++checkClicks; };
    w.pc.OnChange = [&] { ++pageChanges; };

    w.edit.SetText("abc");
    w.list.SetItemIndex(2);
    w.typed.SetText("typed text");
    w.check.SetChecked(true);
    w.state.SetCaption("Scanning...");
    w.bar.SetPosition(40);
    w.ok.SetEnabled(false);

    EXPECT_EQ(Text(w.W(w.edit)), "abc");
    EXPECT_EQ(editChanges, 1);  // the model's own rule; the window's echo is not a user edit
    EXPECT_EQ(SendMessageA(w.W(w.list), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(listEvents, 0);
    EXPECT_EQ(Text(w.W(w.typed)), "typed text");
    EXPECT_EQ(SendMessageA(w.W(w.typed), CB_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(SendMessageA(w.W(w.check), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_EQ(Text(w.W(w.state)), "Scanning...");
    EXPECT_EQ(SendMessageA(w.W(w.bar), PBM_GETPOS, 0, 0), 40);
    EXPECT_FALSE(IsWindowEnabled(w.W(w.ok)));

    w.pc.SetActivePage(&w.two);
    EXPECT_EQ(SendMessageA(w.W(w.pc), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(HasVisibleStyle(w.W(w.onTwo)));
    EXPECT_FALSE(HasVisibleStyle(w.W(w.edit)));
    EXPECT_EQ(pageChanges, 0);

    w.two.SetTabVisible(false);  // the active tab goes: the first page comes back
    EXPECT_EQ(SendMessageA(w.W(w.pc), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(w.W(w.pc), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(HasVisibleStyle(w.W(w.edit)));
    // A page has no window: its caption reaches its tab.
    w.one.SetCaption("First");
    char caption[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    SendMessageA(w.W(w.pc), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, "First");
}

TEST(Win32Binding, ClicksBecomeUserClicksAndADisabledButtonTakesNone) {
    Window w;
    int clicks = 0;
    w.ok.OnClick = [&] { ++clicks; };
    SendMessageA(w.W(w.ok), BM_CLICK, 0, 0);
    w.ok.SetEnabled(false);
    SendMessageA(w.W(w.ok), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    std::vector<bool> checks;
    w.check.OnClick = [&] { checks.push_back(w.check.Checked()); };
    SendMessageA(w.W(w.check), BM_CLICK, 0, 0);
    SendMessageA(w.W(w.check), BM_CLICK, 0, 0);
    EXPECT_EQ(checks, (std::vector<bool>{true, false}));
    EXPECT_EQ(SendMessageA(w.W(w.check), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    w.r1.SetChecked(true);
    int r2Clicks = 0;
    w.r2.OnClick = [&] { ++r2Clicks; };
    SendMessageA(w.W(w.r2), BM_CLICK, 0, 0);
    EXPECT_TRUE(w.r2.Checked());
    EXPECT_FALSE(w.r1.Checked());
    EXPECT_EQ(SendMessageA(w.W(w.r2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(w.W(w.r1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(r2Clicks, 1);
}

TEST(Win32Binding, TypedKeysPassOnKeyPressBeforeTheEditTakesThem) {
    Window w;
    std::string seen;
    int changes = 0;
    w.edit.OnKeyPress = [&](char& key) {
        seen += key;
        if (key == 'x') key = 0;
        if (key >= 'a' && key <= 'f') key = static_cast<char>(key - 'a' + 'A');
    };
    w.edit.OnChange = [&] { ++changes; };
    for (char c : std::string("axb")) SendMessageA(w.W(w.edit), WM_CHAR, c, 0);
    EXPECT_EQ(seen, "axb");
    EXPECT_EQ(Text(w.W(w.edit)), "AB");
    EXPECT_EQ(w.edit.Text(), "AB");
    EXPECT_EQ(changes, 2);
    w.edit.SetMaxLength(2);
    SendMessageA(w.W(w.edit), WM_CHAR, 'c', 0);  // the window keeps the limit for typing
    EXPECT_EQ(w.edit.Text(), "AB");
}

TEST(Win32Binding, ComboNotificationsBecomePicksTypingAndDropDowns) {
    Window w;
    std::vector<std::string> log;
    w.list.OnClick = [&] { log.push_back("click"); };
    w.list.OnChange = [&] { log.push_back("change " + w.list.Text()); };
    SendMessageA(w.W(w.list), CB_SETCURSEL, 1, 0);  // the user's pick, as the box reports it
    w.Command(w.list, CBN_SELCHANGE);
    EXPECT_EQ(w.list.ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 2.4GHz(802.11b)"}));

    int drops = 0;
    w.typed.OnDropDown = [&] {
        ++drops;
        w.typed.Clear();
        w.typed.AddItem("scanned");
    };
    w.Command(w.typed, CBN_DROPDOWN);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(SendMessageA(w.W(w.typed), CB_GETCOUNT, 0, 0), 1);

    // Typing into the box's edit: the native box drops its selection, and so does the model.
    w.typed.SetItemIndex(0);
    int typedChanges = 0;
    w.typed.OnChange = [&] { ++typedChanges; };
    HWND inner = GetWindow(w.W(w.typed), GW_CHILD);
    ASSERT_NE(inner, nullptr);
    SendMessageA(inner, WM_CHAR, '!', 0);
    EXPECT_EQ(w.typed.Text(), Text(w.W(w.typed)));
    EXPECT_NE(w.typed.Text().find('!'), std::string::npos);
    EXPECT_EQ(SendMessageA(w.W(w.typed), CB_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(w.typed.ItemIndex(), -1);
    EXPECT_EQ(typedChanges, 1);
}

TEST(Win32Binding, TabSelectionBecomesAUserPageChange) {
    Window w;
    int changes = 0;
    int seenPage = -1;
    w.pc.OnChange = [&] {
        ++changes;
        seenPage = w.pc.ActivePageIndex();
    };
    SendMessageA(w.W(w.pc), TCM_SETCURSEL, 1, 0);
    NMHDR n{};
    n.hwndFrom = w.W(w.pc);
    n.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(n.hwndFrom));
    n.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(w.hwnd, WM_NOTIFY, n.idFrom, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seenPage, 1);
    EXPECT_TRUE(HasVisibleStyle(w.W(w.onTwo)));
    EXPECT_FALSE(HasVisibleStyle(w.W(w.state)));
}

TEST(Win32Binding, CloseAndProgramMessagesGoToTheFormsHandlers) {
    Window w;
    std::vector<LPARAM> closes;
    w.form.OnCloseMessage = [&](std::intptr_t lp) { closes.push_back(lp); };
    std::vector<std::uint32_t> messages;
    w.form.OnMessage = [&](std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
        if (wp == 1000 && lp == WM_LBUTTONUP) messages.push_back(msg);
    };
    SendMessageA(w.hwnd, WM_CLOSE, 0, 1);
    SendMessageA(w.hwnd, 0x8080, 1000, WM_LBUTTONUP);
    EXPECT_EQ(closes, (std::vector<LPARAM>{1}));
    EXPECT_EQ(messages, (std::vector<std::uint32_t>{0x8080}));
    EXPECT_TRUE(IsWindow(w.hwnd));  // closing is the program's decision

    w.form.OnClose = [](ui::CloseAction& a) { a = ui::CloseAction::Free; };
    w.form.Close();
    EXPECT_FALSE(IsWindow(w.hwnd));
    EXPECT_EQ(w.form.Handle(), 0u);
    w.edit.SetText("after the window went");  // no window, nothing breaks
}

TEST(Win32Binding, APopupMenuIsShownFromTheFormAndItsChoiceClicksTheItem) {
    Window w;
    ui::PopupMenu menu("PopupMenu1");
    ui::MenuItem open("Open1", "Open"), hidden("Hidden1", "Hidden"), exit("Exit1", "Exit");
    hidden.SetVisible(false);
    for (ui::MenuItem* item : {&open, &hidden, &exit}) menu.Add(*item);
    w.binding.BindMenu(menu, w.hwnd);
    std::vector<std::string> clicks;
    open.OnClick = [&] { clicks.push_back("open"); };
    exit.OnClick = [&] { clicks.push_back("exit"); };
    // The menu's own loop meets this first and closes the menu at once.
    PostMessageA(w.hwnd, WM_CANCELMODE, 0, 0);
    menu.Popup(100, 100);
    // Commands are numbered over the items shown: Open, then Exit.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(win32::Binding::kFirstMenuCommand + 1, 0), 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"exit"}));
    menu.SetObserver(nullptr);
}

// A dialog of the program's own whose procedure hands its controls' messages to the binding.
LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (auto* b = reinterpret_cast<win32::Binding*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
        LRESULT result = 0;
        if (b->HandleMessage(hwnd, msg, wp, lp, result)) return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Win32Binding, AttachesToADialogsControlsById) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DialogProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelmoraBindingTestDialog";
    RegisterClassA(&wc);
    HWND dlg = CreateWindowExA(0, wc.lpszClassName, "page", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(dlg, nullptr);
    auto child = [&](const char* cls, const char* text, DWORD style, int id, int x, int y) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, 90, 21, dlg,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance,
                               nullptr);
    };
    child("EDIT", "", ES_AUTOHSCROLL, 1004, 10, 10);
    child("BUTTON", "New", BS_PUSHBUTTON, 1006, 10, 40);
    child("COMBOBOX", "", CBS_DROPDOWNLIST | CBS_SORT, 1014, 110, 10);
    {
        ui::GroupBox root("page");
        ui::Edit name("name");
        ui::Button create("create");
        ui::ComboBox cards("cards");  // a sorted drop-down list, as the template has it
        cards.SetSorted(true);
        name.SetParent(&root);
        create.SetParent(&root);
        cards.SetParent(&root);
        name.SetId(1004);
        create.SetId(1006);
        cards.SetId(1014);
        win32::Binding binding;
        SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&binding));
        EXPECT_TRUE(binding.AttachDialog(dlg, root).empty());
        EXPECT_EQ(create.Caption(), "New");  // taken from the template
        EXPECT_EQ(create.Left(), 10);
        EXPECT_EQ(create.Top(), 40);
        cards.AddItem("b card");
        cards.AddItem("A card");
        cards.SetItemIndex(0);
        char item[32] = {};
        SendMessageA(binding.WindowOf(cards), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, "A card");
        name.SetText("Office");
        EXPECT_EQ(Text(binding.WindowOf(name)), "Office");
        int clicks = 0;
        create.OnClick = [&] { ++clicks; };
        SendMessageA(binding.WindowOf(create), BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 1);
        SetWindowLongPtrA(dlg, GWLP_USERDATA, 0);
    }
    EXPECT_TRUE(IsWindow(GetDlgItem(dlg, 1004)));  // the dialog's own windows stay
    {
        // Models that differ from the template are reported, not adapted.
        ui::GroupBox root("page");
        ui::Edit name("name");
        ui::ComboBox cards("cards", ui::ComboStyle::DropDown);
        ui::ListBox missing("missing");
        ui::Button wrongClass("wrongClass");
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&name, &cards, &missing, &wrongClass})
            c->SetParent(&root);
        name.SetId(1004);
        name.SetReadOnly(true);
        cards.SetId(1014);
        missing.SetId(1099);
        wrongClass.SetId(1004);
        win32::Binding binding;
        const auto m = binding.AttachDialog(dlg, root);
        ASSERT_EQ(m.size(), 4u);
        EXPECT_EQ(m[0], "name (1004): read-only style");
        EXPECT_EQ(m[1], "cards (1014): drop-down style");
        EXPECT_EQ(m[2], "missing (1099): not in the template");
        EXPECT_EQ(m[3], "wrongClass (1004): class Edit, not Button");
        EXPECT_EQ(cards.Style(), ui::ComboStyle::DropDown);
    }
    DestroyWindow(dlg);
}

TEST(Win32Binding, IconsComeFromPicturesWithTheirBackgroundTransparent) {
    ui::Bitmap b(32, 32, 0xFF00FF);
    b.FillRect(4, 4, 28, 28, ui::kGreen);
    win32::Icon icon = win32::MakeIcon(b);
    ASSERT_NE(icon.get(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(win32::MakeIcon(ui::Bitmap()).get(), nullptr);
}

// What a graph window shows, read back through WM_PRINTCLIENT into a 32-bit picture.
std::vector<std::uint32_t> Printed(HWND h, int w, int hgt) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -hgt;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bm);
    SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(p, p + static_cast<std::size_t>(w) * hgt);
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    for (auto& px : out) px &= 0xFFFFFFu;  // 0xRRGGBB
    return out;
}

TEST(Win32Binding, AGraphShowsItsPictureWithTheSeeThroughControlsOverIt) {
    ui::Form form{"Form1"};
    ui::TPerformanceGraph graph{"graph"};
    ui::Image lines{"lines"};
    ui::Label label{"label"};
    ui::Label beside{"beside"};
    win32::Binding binding;
    form.SetClientSize(300, 120);
    graph.SetParent(&form);
    graph.SetBounds(8, 20, 100, 80);
    graph.SetGridlines(false);
    graph.SetGraphKind(ui::TGraphKind::pgBar);
    graph.SetGradient(500);
    graph.SetScale(500);
    lines.SetParent(&form);
    lines.SetBounds(8, 23, 100, 80);
    ui::Bitmap dotted(100, 80, 0xFF00FF);
    dotted.FillRect(0, 10, 100, 11, ui::kGray);
    lines.SetPicture(dotted);
    lines.SetTransparent(true);
    label.SetParent(&form);
    label.SetBounds(12, 20, 80, 10);
    label.SetFont({"MS Sans Serif", 8, false, ui::kWhite});
    label.SetTransparent(true);
    label.SetCaption("Max. = 0 Kbits/sec.");
    beside.SetParent(&form);
    beside.SetBounds(120, 20, 40, 13);
    beside.SetCaption("100000");
    HWND hwnd = binding.CreateFormWindow(form);
    ASSERT_NE(hwnd, nullptr);
    form.Show();
    // The overlays have no window; a label beside the graph keeps its own.
    EXPECT_EQ(binding.WindowOf(lines), nullptr);
    EXPECT_EQ(binding.WindowOf(label), nullptr);
    EXPECT_NE(binding.WindowOf(beside), nullptr);
    HWND g = binding.WindowOf(graph);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(RectIn(g, hwnd).left, 8);

    graph.DataPoint(ui::kRed, 250);
    graph.Update();
    const auto shown = Printed(g, 100, 80);
    auto at = [&](int x, int y) { return shown[static_cast<std::size_t>(y) * 100 + x]; };
    // The bar in the model's picture, the picture's line 3 pixels lower, the text over both.
    for (int y = 39; y < 80; ++y) {
        if (y != 13) {
            ASSERT_EQ(at(99, y), 0xFF0000u) << y;  // red, as 0xRRGGBB
        }
    }
    EXPECT_EQ(at(99, 38), 0u);
    EXPECT_EQ(at(50, 13), 0x808080u);
    EXPECT_EQ(at(50, 12), 0u);
    int white = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 4; x < 84; ++x) white += at(x, y) == 0xFFFFFFu;
    }
    EXPECT_GT(white, 20);
    // The text changing repaints the graph with it.
    label.SetCaption("");
    const auto blank = Printed(g, 100, 80);
    for (int y = 0; y < 10; ++y) {
        for (int x = 4; x < 84; ++x) ASSERT_EQ(blank[static_cast<std::size_t>(y) * 100 + x], 0u);
    }
    // Updates while hidden are drawn when the graph is painted again, rescales included.
    form.Hide();
    for (int i = 0; i < 150; ++i) {
        graph.DataPoint(ui::kRed, i % 60 == 0 ? 900 : (i * 37) % 500);
        graph.Update();
    }
    form.Show();
    const auto later = Printed(g, 100, 80);
    const ui::Bitmap& picture = graph.Picture();
    for (int y = 20; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const ui::Color c = picture.Pixel(x, y);
            const std::uint32_t rgb = (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
            ASSERT_EQ(later[static_cast<std::size_t>(y) * 100 + x], rgb) << x << "," << y;
        }
    }
    EXPECT_EQ(picture.Pixel(99, 79), ui::kRed);
}

TEST(Win32Binding, TabMovesTheFocusToTheNextControlThatTakesIt) {
    ui::Form form{"Form1"};
    ui::Button first{"first"}, disabled{"disabled"}, second{"second"};
    ui::Label text{"text"};
    win32::Binding binding;
    win32::Loop loop;
    form.SetClientSize(300, 100);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&first, &text, &disabled, &second}) {
        c->SetParent(&form);
        c->SetBounds(10 + 70 * static_cast<int>(form.Children().size() - 1), 10, 60, 25);
    }
    disabled.SetEnabled(false);
    HWND hwnd = binding.CreateFormWindow(form);
    ASSERT_NE(hwnd, nullptr);
    form.Show();
    SetForegroundWindow(hwnd);
    SetFocus(binding.WindowOf(first));
    ASSERT_EQ(GetFocus(), binding.WindowOf(first));
    PostMessageA(binding.WindowOf(first), WM_KEYDOWN, VK_TAB, 0);
    loop.ProcessMessages();
    EXPECT_EQ(GetFocus(), binding.WindowOf(second));
}

TEST(Win32Binding, AGridThatSelectsRangesTakesSeveralRowsAndOneThatDoesNotTakesOne) {
    for (bool ranges : {true, false}) {
        SCOPED_TRACE(ranges);
        ui::Form form{"Form1"};
        ui::StringGrid grid{"grid"};
        win32::Binding binding;
        form.SetClientSize(300, 200);
        grid.SetParent(&form);
        grid.SetBounds(10, 10, 280, 150);
        grid.SetColCount(2);
        grid.SetRowCount(4);
        grid.SetFixedRows(1);
        grid.SetRow(0, {"SSID", "MAC Address"});
        grid.SetRow(1, {"Harbor", "00-1D-5A-10-00-01"});
        grid.SetRow(2, {"Harbor", "00-1D-5A-10-00-02"});
        grid.SetRow(3, {"Quay", "00-1D-5A-20-00-03"});
        grid.SetRangeSelect(ranges);
        ASSERT_NE(binding.CreateFormWindow(form), nullptr);
        form.Show();
        HWND lv = binding.WindowOf(grid);
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        for (WPARAM row : {0, 1, 2})
            SendMessageA(lv, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0), ranges ? 3 : 1);
        EXPECT_EQ(grid.Row(), 3);  // the last row picked is the grid's row
    }
}

}  // namespace

// An error raised in a handler stops in the window procedure or the timer procedure that ran
// it: one report each, and the messages after it run as usual.
TEST(Win32Binding, AnErrorInAHandlerStopsAtTheWindowAndTimerProcedures) {
    Window w;
    std::vector<std::string> shown;
    plat::ErrorBoundary boundary([&](std::string_view t) { shown.emplace_back(t); });
    w.binding.SetBoundary(&boundary);
    int clicks = 0;
    w.ok.OnClick = [&] {
        if (++clicks == 1) throw std::runtime_error("Failed to set data for 'ssid'");
    };
    SendMessageA(w.W(w.ok), BM_CLICK, 0, 0);
    SendMessageA(w.W(w.ok), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);

    win32::Loop loop;
    loop.SetBoundary(&boundary);
    ui::Timer timer(loop, "t");
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 1) throw std::runtime_error("Invalid data type for 'tpc'");
    };
    timer.SetInterval(10);
    timer.SetEnabled(true);
    for (int i = 0; i < 50 && ticks < 2; ++i) {
        loop.Sleep(20);
        loop.ProcessMessages();
    }
    EXPECT_GE(ticks, 2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Failed to set data for 'ssid'");
    EXPECT_EQ(shown[1], "Invalid data type for 'tpc'");
}

TEST(BindingCommonControls, RegisterWithTheExCallWhereThereIsOne) {
    EXPECT_TRUE(win32::InitCommonControlClasses());
    WNDCLASSA tab{};
    EXPECT_TRUE(GetClassInfoA(nullptr, WC_TABCONTROLA, &tab));
}
