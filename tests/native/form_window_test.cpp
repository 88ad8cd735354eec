// The main window as built: layout, pages, buttons, timers and the tray menu.
#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>

#include "tests/native/sim_program.h"

namespace {

using Window = SimProgram;

TEST(FormWindow, CaptionSizeAndFont) {
    Window w;
    EXPECT_EQ(w.form.Caption(), "VELMORA ZN6200 802.11a/b Configuration Utility");
    EXPECT_EQ(w.form.ClientWidth(), 390);
    EXPECT_EQ(w.form.ClientHeight(), 437);
    EXPECT_EQ(w.form.GetFont().name, "MS Sans Serif");
    EXPECT_EQ(w.form.GetFont().size, 8);
    EXPECT_EQ(w.form.GetBorderStyle(), ui::BorderStyle::Dialog);
}

TEST(FormWindow, SixPagesInOrderWithTheStatusPageActive) {
    Window w;
    const char* expected[][2] = {{"TabSheet1", "Status"},     {"TabSheet2", "Configuration"},
                                 {"TabSheet3", "Security"},   {"TabSheet7", "Stations"},
                                 {"TabSheet5", "Statistics"}, {"TabSheet6", "About"}};
    ASSERT_EQ(w.form.PageControl1.PageCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.form.PageControl1.Page(i)->Name(), expected[i][0]);
        EXPECT_EQ(w.form.PageControl1.Page(i)->Caption(), expected[i][1]);
    }
    EXPECT_EQ(w.form.PageControl1.ActivePage(), &w.form.TabSheet1);
    const ui::PageControl& pc = w.form.PageControl1;
    EXPECT_EQ((std::array{pc.Left(), pc.Top(), pc.Width(), pc.Height()}),
              (std::array{13, 8, 365, 386}));
}

TEST(FormWindow, ButtonsAndHiddenPictures) {
    Window w;
    w.form.Show();
    struct B {
        const char* name;
        const char* caption;
        int left;
        bool enabled;
    };
    for (B b : {B{"btOK", "OK", 144, true}, B{"btCancel", "Cancel", 224, true},
                B{"Apply", "Apply", 304, false}}) {
        auto* button = w.form.FindAs<ui::Button>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->Caption(), b.caption);
        EXPECT_EQ((std::array{button->Left(), button->Top(), button->Width(), button->Height()}),
                  (std::array{b.left, 401, 74, 27}))
            << b.name;
        EXPECT_EQ(button->Enabled(), b.enabled) << b.name;
    }
    EXPECT_FALSE(w.form.Apply.UserClick());
    for (ui::Image* icon :
         {&w.form.IconScan, &w.form.IconBad, &w.form.IconPool, &w.form.IconGood, &w.form.Image1}) {
        EXPECT_FALSE(icon->Visible()) << icon->Name();
        EXPECT_FALSE(icon->Picture().Empty()) << icon->Name();
    }
    EXPECT_EQ(w.form.IconPool.Hint(), "PoolLink");
    EXPECT_EQ(w.form.IconScan.Picture().Width(), 32);
}

TEST(FormWindow, StatusPageTextsSitBesideTheirLabels) {
    Window w;
    const char* names[] = {"StationState", "NetWorkType", "CurrentChannel",
                           "TxRate",       "RxRate",      "stEncryption"};
    int top = 24;
    for (const char* name : names) {
        auto* t = w.form.FindAs<ui::StaticText>(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->Parent(), &w.form.GroupBox3);
        EXPECT_EQ((std::array{t->Left(), t->Top(), t->Width(), t->Height()}),
                  (std::array{112, top, 209, 19}))
            << name;
        EXPECT_EQ(t->GetBorder(), ui::Border::Sunken);
        EXPECT_EQ(t->GetAlignment(), ui::Alignment::Center);
        top += 30;
    }
    EXPECT_EQ(w.form.lbConnectTo.Caption(), "Connected to:");
    EXPECT_EQ(w.form.lbPercent.Caption(), "0%");
    EXPECT_EQ(w.form.pbSignalStrenth.Max(), 100);
    EXPECT_EQ(w.form.pbSignalStrenth.Width(), 195);
    EXPECT_EQ(w.form.pbSignalStrenth.Height(), 9);
}

// Start-up leaves only the hardware timer running.
TEST(FormWindow, TimersHaveTheirIntervalsAndOnlyTheHardwareTimerRuns) {
    Window w;
    struct T {
        const char* name;
        std::uint32_t interval;
    };
    for (T t : {T{"DeviceDetect", 1000}, T{"InsertTimer", 500}, T{"StatusTimer", 500},
                T{"ChannelTimer", 50}, T{"SignalTimer", 2000}}) {
        auto* timer = w.form.FindComponentAs<ui::Timer>(t.name);
        ASSERT_NE(timer, nullptr) << t.name;
        EXPECT_EQ(timer->Interval(), t.interval);
        EXPECT_EQ(timer->Enabled(), t.interval == 1000) << t.name;
    }
    EXPECT_EQ(w.pc.loop().ActiveTimers(), 1u);
}

TEST(FormWindow, TrayMenuAndClosingTheWindowOnlyHidesIt) {
    Window w;
    auto* menu = w.form.FindComponentAs<ui::PopupMenu>("PopupMenu1");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items().size(), 3u);
    EXPECT_EQ(menu->Items()[0]->Caption(), "Open");
    EXPECT_EQ(menu->Items()[1]->Caption(), "About");
    EXPECT_EQ(menu->Items()[2]->Caption(), "Exit");
    w.form.Show();
    EXPECT_TRUE(w.form.UserCloseButton());
    EXPECT_FALSE(w.form.Visible());
    EXPECT_FALSE(w.form.Freed());
    EXPECT_FALSE(w.pc.loop().QuitRequested());
}

}  // namespace

namespace {

TEST(FormWindow, AboutPageCarriesTheVersionTheBuildDateAndTheLogo) {
    Window w;
    EXPECT_EQ(w.form.Label38.Caption(), "1.2");
    // __DATE__ and __TIME__: "Oct 21 2002 20:17:42" (a day below 10 has a leading blank).
    EXPECT_TRUE(std::regex_match(w.form.Label39.Caption(),
                                 std::regex(R"([A-Z][a-z]{2} [ 123]\d \d{4} \d\d:\d\d:\d\d)")))
        << w.form.Label39.Caption();
    EXPECT_TRUE(w.form.Image2.Picture() == w.form.Image1.Picture());
    EXPECT_TRUE(w.form.ImVelmora.Picture() == w.form.Image1.Picture());
    // One logo held once, not once per page.
    EXPECT_TRUE(w.form.ImVelmora.Picture().SharesPixelsWith(w.form.Image1.Picture()));
    EXPECT_TRUE(w.form.Image2.Picture().SharesPixelsWith(w.form.Image1.Picture()));
}

}  // namespace
