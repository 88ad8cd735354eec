// The tray icon's picture and tip follow the signal bar; the tray callback while offline.
#include <gtest/gtest.h>

#include "tests/native/sim_program.h"

namespace {

using Program = SimProgram;

TEST(TrayIcon, PictureAndTipFollowTheSignalBar) {
    struct Case {
        int position;
        int picture;
        const char* tip;
    };
    const Case cases[] = {
        {100, app::kPictureGood, "VELMORA ZN6200 Connect to Harbor"},
        {51, app::kPictureGood, "VELMORA ZN6200 Connect to Harbor"},
        {50, app::kPicturePoor, "VELMORA ZN6200 Connect to Harbor"},
        {6, app::kPicturePoor, "VELMORA ZN6200 Connect to Harbor"},
        {5, app::kPictureBad, "VELMORA ZN6200 Connect to Harbor"},
        {1, app::kPictureBad, "VELMORA ZN6200 Connect to Harbor"},
        {0, app::kPictureScan, "VELMORA ZN6200 Scanning"},
    };
    Program p;
    p.form.AdapterOnline = true;
    p.form.LinkSsid = "Harbor";
    ASSERT_TRUE(p.form.UpdateTrayIcon(plat::kNimAdd));
    for (const Case& c : cases) {
        p.form.pbSignalStrenth.SetPosition(c.position);
        EXPECT_TRUE(p.form.UpdateTrayIcon(plat::kNimModify));
        auto icon = p.pc.shell().Icon(app::kTrayIconId);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->icon, c.picture) << c.position;
        EXPECT_EQ(icon->tip, c.tip) << c.position;
        EXPECT_EQ(icon->callbackMessage, app::kTrayCallbackMessage);
    }
}

TEST(TrayIcon, ModifySendsNothingWhileOffline) {
    Program p;
    EXPECT_FALSE(p.form.UpdateTrayIcon(plat::kNimModify));
    EXPECT_TRUE(p.pc.shell().Calls().empty());
}

TEST(TrayIcon, TipLongerThanTheRecordIsCut) {
    Program p;
    p.form.AdapterOnline = true;
    p.form.LinkSsid = std::string(200, 'n');
    p.form.pbSignalStrenth.SetPosition(80);
    ASSERT_TRUE(p.form.UpdateTrayIcon(plat::kNimAdd));
    ASSERT_TRUE(p.form.UpdateTrayIcon(plat::kNimModify));
    EXPECT_EQ(p.pc.shell().Icon(app::kTrayIconId)->tip.size(), plat::kNotifyTipChars - 1);
}

TEST(TrayCallback, LeftClickWhileOfflineDoesNothingRightClickStillOpensTheMenu) {
    Program p;
    p.pc.loop().SetCursor(40, 60);
    p.form.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId, app::kWmLButtonUp);
    EXPECT_FALSE(p.form.Visible());
    EXPECT_EQ(p.form.ForegroundRequests(), 0);
    p.form.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId, app::kWmRButtonUp);
    ASSERT_EQ(p.form.PopupMenu1.PopupCount(), 1u);
    EXPECT_EQ(p.form.PopupMenu1.LastPopup()->x, 40);
    EXPECT_EQ(p.form.ForegroundRequests(), 1);
}

TEST(TrayCallback, RightClickWithoutACursorShowsTheWindowOnTheStatusPage) {
    Program p;
    p.pc.loop().SetCursorFails(true);
    p.form.PageControl1.SetActivePage(&p.form.TabSheet6);
    p.form.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId, app::kWmRButtonUp);
    EXPECT_EQ(p.form.PopupMenu1.PopupCount(), 0u);
    EXPECT_TRUE(p.form.Visible());
    EXPECT_EQ(p.form.PageControl1.ActivePage(), &p.form.TabSheet1);
}

}  // namespace
