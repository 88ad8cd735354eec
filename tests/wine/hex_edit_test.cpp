// The configurator's hex edit in a real edit window: keys are filtered before they land, the
// first input clears, and focus, cursor keys and clicks reach the model.
#include "nicset/hex_edit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "sim/dialogs.h"
#include "win32/binding.h"

namespace {

std::string Text(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

struct HexWindow {
    sim::Dialogs dialogs;  // counts the beeps
    ui::Form form{"Form1"};
    nicset::HexEdit edit{"edit", dialogs};
    ui::Edit other{"other"};
    std::vector<std::string> log;
    win32::Binding binding;  // after the models: it goes first
    HWND hwnd = nullptr;

    HexWindow() {
        form.SetCaption("Hex edit test");
        form.SetClientSize(300, 100);
        edit.SetParent(&form);
        edit.SetBounds(10, 10, 200, 21);
        edit.SetHexOnly(true);
        edit.SetUpperCase(true);
        other.SetParent(&form);
        other.SetBounds(10, 40, 200, 21);
        edit.OnFocusGained = [this] { log.push_back("gained"); };
        edit.OnFocusLost = [this] { log.push_back("lost"); };
        edit.OnCursorNotice = [this] {
            log.push_back("cursor " + std::to_string(edit.CaretPosition()));
        };
        hwnd = binding.CreateFormWindow(form);
        form.Show();
    }
    HWND W(const ui::Component& c) const { return binding.WindowOf(c); }
    void Type(std::string_view keys) {
        for (char c : keys) SendMessageA(W(edit), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
};

TEST(Win32HexEdit, AColonIsRefusedWithTheErrorBeepBeforeItLands) {
    HexWindow w;
    ASSERT_NE(w.hwnd, nullptr);
    w.Type("0a:c");
    EXPECT_EQ(Text(w.W(w.edit)), "0AC");
    EXPECT_EQ(w.edit.Text(), "0AC");
    EXPECT_EQ(w.dialogs.Beeps(), (std::vector<std::uint32_t>{plat::kMbIconError}));
}

TEST(Win32HexEdit, TheFirstKeyOrPasteClearsThePlaceholder) {
    HexWindow w;
    w.edit.SetText("HHHHHHHHHH");
    w.edit.SetClearOnInput(true);
    w.Type("x7");  // the refused key keeps it, the accepted one replaces it
    EXPECT_EQ(Text(w.W(w.edit)), "7");
    EXPECT_EQ(w.edit.Text(), "7");
    w.edit.SetText("HHHH");
    w.edit.SetClearOnInput(true);
    if (OpenClipboard(w.hwnd)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageA(w.W(w.edit), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(w.W(w.edit)), "");
    EXPECT_EQ(w.edit.Text(), "");
}

TEST(Win32HexEdit, FocusCursorKeysAndClicksReachTheModel) {
    HexWindow w;
    w.edit.SetText("12345");
    SetForegroundWindow(w.hwnd);
    SetFocus(w.W(w.edit));
    ASSERT_EQ(GetFocus(), w.W(w.edit));
    EXPECT_TRUE(w.edit.Focused());
    SendMessageA(w.W(w.edit), WM_KEYDOWN, VK_END, 0);
    SendMessageA(w.W(w.edit), WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(w.W(w.edit), WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(w.W(w.edit), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageA(w.W(w.edit), WM_LBUTTONUP, 0, MAKELPARAM(2, 5));
    SetFocus(w.W(w.other));
    EXPECT_FALSE(w.edit.Focused());
    EXPECT_EQ(w.log, (std::vector<std::string>{"gained", "cursor 5", "cursor 4", "cursor 0",
                                               "cursor 0", "lost"}));
}

}  // namespace
