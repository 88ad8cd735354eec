// Forms (closing, messages), timers on the simulated loop, popup menus and pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/clock.h"
#include "ui/ui.h"

namespace {

TEST(UiForm, CloseFollowsTheQueryAndTheChosenAction) {
    struct Case {
        const char* what;
        bool mainForm, canClose;
        ui::CloseAction action;
        bool visible, freed;
    };
    const Case cases[] = {
        {"hide", false, true, ui::CloseAction::Hide, false, false},
        {"none", false, true, ui::CloseAction::None, true, false},
        {"free", false, true, ui::CloseAction::Free, false, true},
        {"refused", false, false, ui::CloseAction::Free, true, false},
        {"main form hidden ends the program", true, true, ui::CloseAction::Hide, false, true},
        {"main form kept", true, true, ui::CloseAction::None, true, false},
    };
    for (const Case& c : cases) {
        ui::Form f("Form1");
        f.SetMainForm(c.mainForm);
        f.Show();
        int destroyed = 0;
        bool closeRan = false;
        f.OnCloseQuery = [&](bool& can) { can = c.canClose; };
        f.OnClose = [&](ui::CloseAction& a) {
            closeRan = true;
            EXPECT_EQ(a, ui::CloseAction::Hide) << c.what;
            a = c.action;
        };
        f.OnDestroy = [&] { ++destroyed; };
        f.Close();
        EXPECT_EQ(closeRan, c.canClose) << c.what;
        EXPECT_EQ(f.Visible(), c.visible) << c.what;
        EXPECT_EQ(f.Freed(), c.freed) << c.what;
        EXPECT_EQ(destroyed, c.freed ? 1 : 0) << c.what;
        f.Close();  // a freed form stays freed and is not destroyed twice
        EXPECT_EQ(destroyed, c.freed ? 1 : 0) << c.what;
    }
}

TEST(UiForm, CloseMessageGoesToItsHandlerOrClosesTheForm) {
    ui::Form f("Form1");
    f.Show();
    std::vector<std::intptr_t> seen;
    f.OnCloseMessage = [&](std::intptr_t lp) { seen.push_back(lp); };
    EXPECT_TRUE(f.UserCloseButton());
    f.DeliverCloseMessage(1);
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{0, 1}));
    EXPECT_TRUE(f.Visible());
    f.OnCloseMessage = nullptr;
    f.DeliverCloseMessage(0);
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.UserCloseButton());  // a hidden window has no close button
}

TEST(UiForm, ProgramMessagesReachTheirHandlerUntilTheFormIsFreed) {
    ui::Form f("Form1");
    int calls = 0;
    f.OnMessage = [&](std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
        EXPECT_EQ(msg, 0x8080u);
        EXPECT_EQ(wp, 1000u);
        EXPECT_EQ(lp, 0x0202);
        ++calls;
    };
    f.DeliverMessage(0x8080, 1000, 0x0202);
    f.OnClose = [](ui::CloseAction& a) { a = ui::CloseAction::Free; };
    f.Close();
    f.DeliverMessage(0x8080, 1000, 0x0202);
    EXPECT_EQ(calls, 1);
}

TEST(UiForm, FindComponentCoversControlsAndListedParts) {
    sim::Loop loop;
    ui::Form f("Form1");
    ui::Button b("btOK");
    ui::Timer t(loop, "StatusTimer");
    ui::PopupMenu m("PopupMenu1");
    b.SetParent(&f);
    f.AddComponent(t);
    f.AddComponent(m);
    EXPECT_EQ(f.FindComponentAs<ui::Button>("btOK"), &b);
    EXPECT_EQ(f.FindComponentAs<ui::Timer>("StatusTimer"), &t);
    EXPECT_EQ(f.FindComponentAs<ui::PopupMenu>("PopupMenu1"), &m);
    EXPECT_EQ(f.FindComponent("nothing"), nullptr);
}

TEST(UiTimer, RunsOnlyWhileEnabledAndRestartsOnANewInterval) {
    sim::Loop loop;
    ui::Timer t(loop, "InsertTimer");
    std::vector<std::uint64_t> ticks;
    t.OnTimer = [&] { ticks.push_back(loop.NowMs()); };
    t.SetInterval(500);
    loop.Advance(1000);
    EXPECT_TRUE(ticks.empty());  // made disabled
    t.SetEnabled(true);          // at 1000
    loop.Advance(1200);          // ticks at 1500, 2000; at 2200 now
    t.SetInterval(300);          // restarts: 2500, 2800
    loop.Advance(700);
    t.SetEnabled(false);
    loop.Advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1500, 2000, 2500, 2800}));
    EXPECT_EQ(loop.ActiveTimers(), 0u);
    t.SetInterval(0);
    t.SetEnabled(true);  // no interval, no timer
    EXPECT_FALSE(t.Running());
}

// The status cycle: each handler switches itself off and the other one on.
TEST(UiTimer, HandlersMaySwitchTimersFromInsideATick) {
    sim::Loop loop;
    ui::Timer insert(loop, "InsertTimer"), status(loop, "StatusTimer");
    insert.SetInterval(500);
    status.SetInterval(500);
    std::vector<std::string> log;
    insert.OnTimer = [&] {
        insert.SetEnabled(false);
        log.push_back("insert@" + std::to_string(loop.NowMs()));
        status.SetEnabled(true);
    };
    status.OnTimer = [&] {
        status.SetEnabled(false);
        log.push_back("status@" + std::to_string(loop.NowMs()));
        insert.SetEnabled(true);
    };
    insert.SetEnabled(true);
    loop.Advance(2000);
    EXPECT_EQ(
        log, (std::vector<std::string>{"insert@500", "status@1000", "insert@1500", "status@2000"}));
    EXPECT_EQ(loop.ActiveTimers(), 1u);
}

TEST(UiPopupMenu, PopupIsRecordedAndItemsRefuseClicksWhenDisabled) {
    ui::PopupMenu m("PopupMenu1");
    ui::MenuItem open("Open1", "Open"), exit("Exit1", "Exit");
    m.Add(open);
    m.Add(exit);
    int popups = 0, exits = 0;
    m.OnPopup = [&] { ++popups; };
    exit.OnClick = [&] { ++exits; };
    m.Popup(640, 480);
    ASSERT_EQ(m.PopupCount(), 1u);
    EXPECT_EQ(m.LastPopup()->x, 640);
    EXPECT_EQ(m.LastPopup()->y, 480);
    EXPECT_EQ(popups, 1);
    m.Popup(10, 20);
    EXPECT_EQ(m.PopupCount(), 2u);
    EXPECT_EQ(m.LastPopup()->x, 10);
    EXPECT_EQ(m.Find("Exit1"), &exit);
    EXPECT_TRUE(exit.UserClick());
    exit.SetEnabled(false);
    EXPECT_FALSE(exit.UserClick());
    EXPECT_EQ(exits, 1);
}

TEST(UiImage, PixelsAreKeptAndWritesOutsideAreIgnored) {
    ui::Image im("IconGood");
    im.SetPicture(ui::Bitmap(32, 32, ui::kWhite));
    im.SetPixel(3, 4, ui::kRed);
    im.SetPixel(32, 0, ui::kRed);
    im.SetPixel(-1, 0, ui::kRed);
    EXPECT_EQ(im.Pixel(3, 4), ui::kRed);
    EXPECT_EQ(im.Pixel(4, 3), ui::kWhite);
    EXPECT_EQ(im.Pixel(32, 0), ui::kBlack);
    ui::Bitmap b(4, 1);
    b.FillRect(1, 0, 9, 1, ui::kBlue);
    EXPECT_EQ(b.Pixels(), (std::vector<ui::Color>{ui::kBlack, ui::kBlue, ui::kBlue, ui::kBlue}));
}

TEST(UiImage, CopyRectScrollsLeftOverItself) {
    ui::Bitmap b(5, 1);
    for (int x = 0; x < 5; ++x) b.SetPixel(x, 0, static_cast<ui::Color>(x + 1));
    b.CopyRect(1, 0, 5, 1, 0, 0);  // the picture moves one pixel left
    EXPECT_EQ(b.Pixels(), (std::vector<ui::Color>{2, 3, 4, 5, 5}));
    b.CopyRect(0, 0, 5, 1, 3, 0);  // clipped at the right edge
    EXPECT_EQ(b.Pixels(), (std::vector<ui::Color>{2, 3, 4, 2, 3}));
}

TEST(UiImage, CopiesShareTheirPixelsUntilOneIsDrawnOn) {
    const ui::Bitmap logo(8, 8, ui::kWhite);
    ui::Image a("a"), b("b");
    a.SetPicture(logo);
    b.SetPicture(a.Picture());
    EXPECT_TRUE(b.Picture().SharesPixelsWith(logo));
    // Every way of drawing leaves the other copies as they were.
    b.SetPixel(1, 1, ui::kRed);
    a.Canvas().FillRect(0, 0, 2, 2, ui::kBlue);
    ui::Bitmap c = logo;
    c.CopyRect(0, 0, 4, 4, 4, 4);
    c.SetPixel(7, 7, ui::kRed);
    EXPECT_EQ(logo, ui::Bitmap(8, 8, ui::kWhite));
    EXPECT_EQ(b.Pixel(1, 1), ui::kRed);
    EXPECT_EQ(b.Pixel(0, 0), ui::kWhite);
    EXPECT_EQ(a.Pixel(1, 1), ui::kBlue);
    EXPECT_EQ(c.Pixel(7, 7), ui::kRed);
    EXPECT_FALSE(a.Picture().SharesPixelsWith(logo));
    // Equal pictures compare equal whether they share or not.
    EXPECT_EQ(ui::Bitmap(2, 2, ui::kRed), ui::Bitmap(2, 2, ui::kRed));
    EXPECT_NE(ui::Bitmap(2, 2, ui::kRed), ui::Bitmap(2, 1, ui::kRed));
}

TEST(UiScreen, CursorChangesAreTold) {
    struct Rec : ui::Observer {
        int n = 0;
        void Changed(ui::Component&, ui::Change w) override { n += w == ui::Change::Cursor; }
    } rec;
    ui::Screen s;
    s.SetObserver(&rec);
    s.SetCursor(ui::Cursor::HourGlass);
    s.SetCursor(ui::Cursor::HourGlass);
    s.SetCursor(ui::Cursor::Default);
    EXPECT_EQ(rec.n, 2);
    s.SetObserver(nullptr);
}

}  // namespace
