// The control panel's messages as the library answers them.
#include <gtest/gtest.h>

#include <cstring>

#include "applet_windows.h"
#include "nicset/applet.h"
#include "sim/modal.h"

namespace {

struct Applet : ::testing::Test {
    sim::ModalRunner modal;
    std::string text = "Corvane NIC Configuration\nConfigures Corvane NIC\n\n";
    int icon = 0;
    nicset::CControlPanelApp app{{[this](int id) { return id == 587 ? text : std::string(); },
                                  [this](int) { return static_cast<void*>(&icon); }, &modal,
                                  "C:\\WINDOWS\\SYSTEM\\nicset01.dll"}};
    int windows = 0;
    bool makeSheet = false, makeNothing = false;
    void SetUp() override {
        app.InitInstance([this]() -> std::unique_ptr<nicset::AppletWindow> {
            ++windows;
            if (makeNothing) return nullptr;
            if (makeSheet) return std::make_unique<SheetWindow>();
            return std::make_unique<DialogWindow>();
        });
    }
    std::int32_t Msg(std::uint32_t msg, std::intptr_t l1 = 0, std::intptr_t l2 = 0) {
        return app.OnCplMsg(0, msg, l1, l2);
    }
};

TEST_F(Applet, AnswersTheControlPanelsMessages) {
    EXPECT_EQ(Msg(nicset::kCplInit), 1);
    EXPECT_EQ(Msg(nicset::kCplGetCount), 1);
    nicset::CplInfo info{-5, -6, -7, -8};
    EXPECT_EQ(Msg(nicset::kCplInquire, 0, reinterpret_cast<std::intptr_t>(&info)), 1);
    // Dynamic information: the record is left alone. (Fields of the packed record are copied
    // before they are compared.)
    const std::int32_t idIcon = info.idIcon;
    const std::intptr_t lData = info.lData;
    EXPECT_EQ(idIcon, -5);
    EXPECT_EQ(lData, -8);
    nicset::NewCplInfo newInfo;
    std::memset(&newInfo, 'x', sizeof newInfo);
    EXPECT_EQ(Msg(nicset::kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&newInfo)), 0);
    EXPECT_STREQ(newInfo.name, "Corvane NIC Configuration");
    EXPECT_STREQ(newInfo.info, "Configures Corvane NIC");
    EXPECT_STREQ(newInfo.helpFile, "");
    void* const shownIcon = newInfo.icon;
    const std::uint32_t flags = newInfo.flags;
    const std::intptr_t data = newInfo.lData;
    EXPECT_EQ(shownIcon, &icon);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(data, reinterpret_cast<std::intptr_t>(app.Applets()[0].get()));
    EXPECT_EQ(Msg(nicset::kCplSelect), 0);
    EXPECT_EQ(Msg(nicset::kCplStop), 0);
    EXPECT_EQ(Msg(nicset::kCplExit), 0);
    EXPECT_EQ(Msg(42), 1);
    EXPECT_EQ(Msg(nicset::kCplSelect, 1), 1);  // no applet number 1
    EXPECT_EQ(app.HelpFilePath(), "C:\\WINDOWS\\SYSTEM\\nicset01.hlp");
}

TEST_F(Applet, TextsTooLongForTheirFieldsAreCutNotOverrun) {
    text = std::string(40, 'N') + "\n" + std::string(70, 'D') + "\n" + std::string(200, 'H');
    nicset::NewCplInfo info{};
    Msg(nicset::kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&info));
    EXPECT_EQ(std::string(info.name), std::string(31, 'N'));
    EXPECT_EQ(std::string(info.info), std::string(63, 'D'));
    EXPECT_EQ(std::string(info.helpFile), std::string(127, 'H'));
    text.clear();  // the string cannot be loaded: three empty texts
    Msg(nicset::kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&info));
    EXPECT_STREQ(info.name, "");
}

TEST_F(Applet, OpeningRunsTheWindowAtTheAskedPage) {
    int started = -1;
    makeSheet = true;
    modal.ExpectSheet([&](ui::PropertySheet& s) { started = s.ActiveIndex(); });
    EXPECT_EQ(Msg(nicset::kCplStartWParms, 0, reinterpret_cast<std::intptr_t>("2")), 1);
    EXPECT_EQ(started, 2);
    // The wide form, as NT shells send it from a command line.
    started = -1;
    modal.ExpectSheet([&](ui::PropertySheet& s) { started = s.ActiveIndex(); });
    EXPECT_EQ(Msg(nicset::kCplStartWParmsW, 0, reinterpret_cast<std::intptr_t>(u"1")), 1);
    EXPECT_EQ(started, 1);
    makeSheet = false;
    EXPECT_EQ(Msg(nicset::kCplStartWParms, 0, reinterpret_cast<std::intptr_t>("2")), 1);
    EXPECT_EQ(Msg(nicset::kCplDblClk), 0);
    EXPECT_EQ(modal.Opened(),
              (std::vector<std::string>{"Sheet", "Sheet", "CVNicCfgDlg", "CVNicCfgDlg"}));
    makeNothing = true;
    EXPECT_EQ(Msg(nicset::kCplDblClk), 1);
    EXPECT_EQ(windows, 5);
}

}  // namespace
