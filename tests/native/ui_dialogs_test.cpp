// Dialog and property-sheet models, run by the simulated PC's modal loops.
#include <gtest/gtest.h>

#include "sim/modal.h"
#include "ui/ui.h"

namespace {

TEST(DialogModel, OkAndCancelEndWithTheirResultUnlessAHandlerDecides) {
    sim::ModalRunner runner;
    ui::Dialog dlg("Dlg", 110);
    ui::Edit name("name");
    name.SetId(1003);
    name.SetParent(&dlg);
    int inits = 0;
    dlg.OnInitDialog = [&] { ++inits; };
    runner.ExpectDialog([&](ui::Dialog& d) {
        EXPECT_TRUE(name.UserType("Home"));  // the controls take input while it runs
        d.UserOK();
    });
    EXPECT_EQ(runner.RunModal(dlg), ui::kResultOk);
    EXPECT_EQ(name.Text(), "Home");
    EXPECT_FALSE(dlg.Visible());
    // A handler that refuses keeps the dialog open; the session then cancels it.
    dlg.OnOK = [] {};
    runner.ExpectDialog([](ui::Dialog& d) { d.UserOK(); });
    EXPECT_EQ(runner.RunModal(dlg), ui::kResultCancel);
    EXPECT_EQ(runner.RunModal(dlg), ui::kResultCancel);  // no session left
    EXPECT_EQ(inits, 3);
    EXPECT_EQ(runner.Opened(), (std::vector<std::string>{"Dlg", "Dlg", "Dlg"}));
}

struct PropertySheetModel : ::testing::Test {
    ui::PropertySheet sheet{"Sheet", "Network Configuration Settings"};
    ui::PropertyPage general{"General", 106}, security{"Security", 107}, advanced{"Advanced", 111};
    std::string log;
    bool generalValid = true, securityApplies = true;

    void SetUp() override {
        for (ui::PropertyPage* p : {&general, &security, &advanced}) {
            sheet.AddPage(*p);
            const char tag = p->Name()[0];
            p->OnInitDialog = [this, tag] { log += std::string("i") + tag; };
            p->OnSetActive = [this, tag] { log += std::string("s") + tag; };
            p->OnApply = [this, tag] {
                log += std::string("a") + tag;
                return tag != 'S' || securityApplies;
            };
            p->OnReset = [this, tag] { log += std::string("r") + tag; };
        }
        general.OnKillActive = [this] {
            log += "kG";
            return generalValid;
        };
    }
};

TEST_F(PropertySheetModel, PagesAreMadeWhenFirstShownAndMayVetoLeaving) {
    sheet.SetStartPage(2);
    sheet.Start();
    EXPECT_EQ(sheet.ActivePage(), &advanced);
    EXPECT_TRUE(sheet.UserSelectPage(0));
    generalValid = false;
    EXPECT_FALSE(sheet.UserSelectPage(1));
    EXPECT_EQ(sheet.ActivePage(), &general);
    EXPECT_FALSE(security.Made());
    EXPECT_EQ(log, "iAsAiGsGkG");
    sheet.SetStartPage(7);  // out of range: the first page
    sheet.Start();
    EXPECT_EQ(sheet.ActivePage(), &general);
}

TEST_F(PropertySheetModel, OkAppliesEveryMadePageAndARefusalKeepsTheSheetOnThatPage) {
    sheet.Start();
    ASSERT_TRUE(sheet.UserSelectPage(1));
    ASSERT_TRUE(sheet.UserSelectPage(0));
    securityApplies = false;
    log.clear();
    EXPECT_TRUE(sheet.UserOK());
    EXPECT_FALSE(sheet.Ended());
    EXPECT_EQ(sheet.ActivePage(), &security);
    EXPECT_EQ(log, "kGaGaSsS");  // the advanced page was never made
    securityApplies = true;
    log.clear();
    EXPECT_TRUE(sheet.UserOK());
    EXPECT_TRUE(sheet.Ended());
    EXPECT_EQ(sheet.Result(), ui::kResultOk);
    EXPECT_EQ(log, "aGaS");
}

TEST_F(PropertySheetModel, ApplyNeedsAModifiedPageAndCancelResetsTheMadeOnes) {
    sheet.Start();
    EXPECT_FALSE(sheet.UserApply());
    general.SetModified(true);
    EXPECT_TRUE(sheet.ApplyEnabled());
    EXPECT_TRUE(sheet.UserApply());
    EXPECT_FALSE(sheet.Ended());
    EXPECT_FALSE(sheet.ApplyEnabled());
    sheet.SetApplyButton(false);
    general.SetModified(true);
    EXPECT_FALSE(sheet.UserApply());
    log.clear();
    EXPECT_TRUE(sheet.UserCancel());
    EXPECT_EQ(sheet.Result(), ui::kResultCancel);
    EXPECT_EQ(log, "rG");
}

TEST_F(PropertySheetModel, TheSimulatedLoopRunsAScriptedSessionOrCancels) {
    sim::ModalRunner runner;
    runner.ExpectSheet([](ui::PropertySheet& s) {
        s.UserSelectPage(2);
        s.UserOK();
    });
    EXPECT_EQ(runner.RunModal(sheet), ui::kResultOk);
    EXPECT_TRUE(advanced.Made());
    EXPECT_EQ(runner.RunModal(sheet), ui::kResultCancel);
}

}  // namespace
