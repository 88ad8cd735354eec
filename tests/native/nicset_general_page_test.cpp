// The profile sheet's General page: the address edit, the leaving checks, the ad hoc warning,
// the questions its Apply asks across the sheet, and a whole record through the sheet and back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nicset/prop_sheet.h"
#include "sim/pc.h"

namespace {

constexpr char kCaption[] = "Network Configuration Settings(General)";
constexpr char kCorrect[] = "Correct the following error(s) in this page:\n\n";
constexpr char kAddressError[] =
    "Locally Administered Address: Invalid Locally Administered address. Enter a 48bit (12 hex "
    "digit) number.\n";
constexpr char kEmptyName[] =
    "Configuration Name: \tConfiguration Name is empty. Enter a unique Configuration Name.\n";
constexpr char kDuplicate[] =
    "Configuration Name: \tDuplicate Configuration Name. Enter a unique Configuration Name.\n";
constexpr char kContinue[] = "\n\nDo you wish to continue?";

struct GeneralPage : ::testing::Test {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    nicset::CVHlpPropSheet sheet{platform};
    nicset::CVCustomGenPage& page = sheet.general;

    // A profile "Office" among "Office" and "Home", opened by Modify.
    void Open(nicset::GeneralFields g = {"Office", "Quay", 1, 1, 0, "", 0, "Office", {}}) {
        if (g.allNames.empty()) g.allNames = {"Office", "Home"};
        page.fields = std::move(g);
        sheet.Start();
    }
    std::size_t Beeps(std::uint32_t type) {
        std::size_t n = 0;
        for (auto b : pc.dialogs().Beeps()) n += b == type;
        return n;
    }
    const sim::Recent<sim::MessageBoxCall>& Boxes() { return pc.dialogs().Boxes(); }
};

TEST_F(GeneralPage, AddressEditTakesTwelveHexDigitsInUpperCase) {
    struct Case {
        const char* what;
        std::function<void(nicset::HexEdit&)> act;
        const char* shown;
        std::size_t errorBeeps, warningBeeps;
    } cases[] = {
        {"a colon is refused", [](auto& e) { e.UserType("00:a0"); }, "00A0", 1, 0},
        {"lower case shows in upper case", [](auto& e) { e.UserType("00a0c9123456"); },
         "00A0C9123456", 0, 0},
        {"a thirteenth digit is not taken", [](auto& e) { e.UserType("00a0c91234567"); },
         "00A0C9123456", 0, 0},
        {"a paste with a non-hex character empties",
         [](auto& e) {
             e.UserType("00");
             e.UserPaste("a0:c9");
         },
         "", 1, 0},
        {"a window text past twelve is cut with the warning beep",
         [](auto& e) { e.UserEditText("00A0C91234567"); }, "00A0C9123456", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pc.dialogs().Clear();
        Open({"Office", "Quay", 1, 1, 1, "", 0, "Office", {}});
        ASSERT_TRUE(page.edAddress.Enabled());
        c.act(page.edAddress);
        EXPECT_EQ(page.edAddress.Text(), c.shown);
        EXPECT_EQ(Beeps(plat::kMbIconError), c.errorBeeps);
        EXPECT_EQ(Beeps(plat::kMbIconWarning), c.warningBeeps);
        EXPECT_EQ(page.fields.macAddress, c.shown);
        sheet.UserCancel();
    }
}

TEST_F(GeneralPage, TheAddressEditFollowsItsCheckBox) {
    Open();
    EXPECT_FALSE(page.edAddress.Enabled());
    ASSERT_TRUE(page.chAddress.UserClick());
    EXPECT_TRUE(page.edAddress.Enabled());
    EXPECT_EQ(page.fields.macAddressOn, 1);
    ASSERT_TRUE(page.edAddress.UserType("00a0c9123456"));
    ASSERT_TRUE(page.chAddress.UserClick());
    EXPECT_FALSE(page.edAddress.Enabled());
    // Leaving with the address off forgets its text.
    ASSERT_TRUE(sheet.UserSelectPage(2));
    EXPECT_EQ(page.fields.macAddress, "");
    EXPECT_EQ(page.edAddress.Text(), "");
}

TEST_F(GeneralPage, LeavingShowsTheNameAndAddressErrorsInOneBox) {
    struct Case {
        const char* name;
        int addressOn;
        const char* address;
        std::string errors;  // empty: the page may be left
    } cases[] = {
        {"Office", 1, "00A0C912345", std::string(kAddressError)},
        {"Office", 1, "00A0C9123456", ""},
        {"Office", 1, "00A0C912345G", std::string(kAddressError)},  // from a damaged store
        {"OFFICE", 0, "", ""},                                      // its own name in other case
        {"home", 0, "", kDuplicate},
        {"", 1, "1", std::string(kEmptyName) + kAddressError},
        {"home", 1, "", std::string(kDuplicate) + kAddressError},
        {"Cafe", 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pc.dialogs().Clear();
        Open({c.name, "Quay", 1, 1, c.addressOn, c.address, 0, "Office", {}});
        EXPECT_EQ(sheet.UserSelectPage(1), c.errors.empty());
        if (c.errors.empty()) {
            EXPECT_TRUE(Boxes().empty());
            EXPECT_EQ(sheet.ActiveIndex(), 1);
        } else {
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].text, kCorrect + c.errors);
            EXPECT_EQ(Boxes()[0].caption, kCaption);
            EXPECT_EQ(Boxes()[0].type, plat::kMbOk);
            EXPECT_EQ(sheet.ActiveIndex(), 0);
        }
        sheet.UserCancel();
    }
}

TEST_F(GeneralPage, AnAdHocProfileWithoutANetworkNameAsksOncePerSheet) {
    Open({"Office", "", 0, 1, 0, "", 0, "Office", {}});
    const std::string warning =
        "WARNING: \nNetwork Name (SSID):  Network Name is empty. Station cannot start an ad hoc "
        "network without a valid Network Name." +
        std::string(kContinue);
    pc.dialogs().QueueAnswer(plat::kIdNo);
    EXPECT_FALSE(sheet.UserSelectPage(1));
    pc.dialogs().QueueAnswer(plat::kIdYes);
    EXPECT_TRUE(sheet.UserSelectPage(1));
    ASSERT_TRUE(sheet.UserSelectPage(0));
    EXPECT_TRUE(sheet.UserSelectPage(2));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, warning);
    EXPECT_EQ(Boxes()[0].caption, kCaption);
    EXPECT_EQ(Boxes()[0].type, plat::kMbYesNo | plat::kMbIconWarning);
    // A new sheet asks again.
    nicset::CVHlpPropSheet again{platform};
    again.general.fields = {"Office", "", 0, 1, 0, "", 0, "Office", {"Office"}};
    again.Start();
    EXPECT_TRUE(again.UserSelectPage(1));
    EXPECT_EQ(Boxes().size(), 3u);
}

TEST_F(GeneralPage, AdHocForcesPowerSavingOffAndInfrastructureOnlyFixesTheConnection) {
    Open();
    EXPECT_EQ(page.cbConnection.Items(),
              (std::vector<std::string>{"Ad Hoc", "AP (Infrastructure)"}));
    EXPECT_EQ(page.cbPowerSaving.Items(), (std::vector<std::string>{"Off", "Normal", "Maximum"}));
    EXPECT_EQ(page.cbPowerSaving.ItemIndex(), 1);
    ASSERT_TRUE(page.cbConnection.UserSelect(0));
    EXPECT_EQ(page.cbPowerSaving.ItemIndex(), 0);
    EXPECT_FALSE(page.cbPowerSaving.Enabled());
    ASSERT_TRUE(page.cbConnection.UserSelect(1));
    EXPECT_TRUE(page.cbPowerSaving.Enabled());
    EXPECT_EQ(page.cbPowerSaving.ItemIndex(), 0);
    sheet.UserCancel();

    // Stored as ad hoc on an adapter that forbids it: an infrastructure profile, power included.
    Open({"Office", "", 0, 2, 0, "", 1, "Office", {}});
    EXPECT_EQ(page.cbConnection.ItemIndex(), 1);
    EXPECT_FALSE(page.cbConnection.UserSelect(0));
    EXPECT_TRUE(page.cbPowerSaving.Enabled());
    EXPECT_EQ(page.cbPowerSaving.ItemIndex(), 2);
    ASSERT_TRUE(sheet.UserOK());
    EXPECT_TRUE(sheet.Ended());
    EXPECT_TRUE(Boxes().empty());  // no ad hoc warning either
    EXPECT_EQ(page.fields.connectionType, 1);
    EXPECT_EQ(page.fields.powerSaving, 2);
}

TEST_F(GeneralPage, ApplyTakesTheUniqueKeyOutOfAnAdHocProfile) {
    const std::string question =
        "Invalid Unique Key/Ad Hoc Mode combination. \n\nIn Ad Hoc mode, Unique Key cannot be "
        "selected. The Unique Key you have entered will be removed. ";
    struct Case {
        const char* what;
        int defaultKey;
        std::array<std::string, 4> shared;
        int answer;
        const char* notice;  // nullptr: none
        int defaultAfter;
    } cases[] = {
        {"shared keys 2 and 4: the second becomes the default",
         0,
         {"", "K2", "", "K4"},
         plat::kIdYes,
         "The new Default Encryption Key will be Shared Key - \"Second\".",
         2},
        {"a shared default key stays", 3, {"K1", "", "K3", ""}, plat::kIdYes, nullptr, 3},
        {"no shared key: no default key",
         0,
         {"", "", "", ""},
         plat::kIdYes,
         "The new Default Encryption Key will be Shared Key - \"\".",
         -1},
        {"No keeps everything",
         0,
         {"", "K2", "", ""},
         plat::kIdNo,
         "The new Default Encryption Key will be Shared Key - \"Second\".",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pc.dialogs().Clear();
        nicset::CVHlpPropSheet s{platform};
        s.general.fields = {"Office", "Quay", 0, 1, 0, "", 0, "Office", {"Office"}};
        s.security.fields.securityOn = 1;
        s.security.fields.uniqueKey = "UNIQUE";
        s.security.fields.defaultKey = c.defaultKey;
        s.security.fields.sharedKeys = c.shared;
        s.Start();
        pc.dialogs().QueueAnswer(c.answer);
        ASSERT_TRUE(s.UserOK());
        EXPECT_EQ(s.Ended(), c.answer == plat::kIdYes);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, question + (c.notice ? c.notice : "") + kContinue);
        EXPECT_EQ(Boxes()[0].type, plat::kMbYesNo);
        EXPECT_EQ(s.security.fields.uniqueKey, c.answer == plat::kIdYes ? "" : "UNIQUE");
        EXPECT_EQ(s.security.fields.defaultKey, c.defaultAfter);
    }
}

TEST_F(GeneralPage, ApplySetsAesWithoutAUniqueKeyToAuto) {
    struct Case {
        int connection, securityOn;
        const char* unique;
        int answer;
        bool asked;
        int encryptionAfter;
    } cases[] = {
        {1, 0, "UNIQUE", plat::kIdYes, true, 2},  // security off: the key does not count
        {1, 1, "", plat::kIdNo, true, 1},
        {1, 1, "UNIQUE", plat::kIdYes, false, 1},
    };
    for (const Case& c : cases) {
        pc.dialogs().Clear();
        nicset::CVHlpPropSheet s{platform};
        s.general.fields = {"Office", "Quay", c.connection, 1, 0, "", 0, "Office", {"Office"}};
        s.security.fields.securityOn = c.securityOn;
        s.security.fields.uniqueKey = c.unique;
        s.advanced.fields.encryptionType = 1;
        s.Start();
        pc.dialogs().QueueAnswer(c.answer);
        ASSERT_TRUE(s.UserOK());
        EXPECT_EQ(s.Ended(), !c.asked || c.answer == plat::kIdYes);
        ASSERT_EQ(Boxes().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(Boxes()[0].text,
                      "AES Encrytption is selected, but there is no Unique Key specified. \n\n  "
                      "The Encryption will be set to Auto." +
                          std::string(kContinue));
        }
        EXPECT_EQ(s.advanced.fields.encryptionType, c.encryptionAfter);
    }
}

TEST_F(GeneralPage, ApplyWithoutItsSheetOnlySaysSo) {
    nicset::CVCustomGenPage alone(pc.dialogs());
    alone.fields.connectionType = 0;
    alone.Show();
    alone.Create();
    EXPECT_FALSE(alone.Apply());
    // A sheet whose other pages are not the Security and Advanced pages is no better.
    ui::PropertySheet other("other");
    nicset::CVCustomGenPage first(pc.dialogs());
    other.AddPage(first);
    EXPECT_FALSE(first.Apply());
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.text, "Unable to obatin the property sheets pointer.");
        EXPECT_EQ(box.type, plat::kMbOk);
    }
}

TEST_F(GeneralPage, ModifyCarriesAWholeRecordThroughTheSheetAndBack) {
    nicset::ConfigurationRecord r;
    r.name = "Office";
    r.networkName = "Quay";
    r.connectionType = 0;
    r.powerSaving = 0;
    r.macAddressOn = 1;
    r.macAddress = "00A0C9123456";
    r.securityOn = 1;
    r.defaultKey = 2;
    r.sharedKeys = {"", "0123456789ABCDEF", "", ""};
    r.sharedKeyLengths = {40, 104, 40, 128};
    r.wirelessMode = 1;
    r.encryptionType = 0;
    r.turbo = 1;
    r.preamble = 0;
    FillPagesFromRecord(sheet, r, {"Office", "Home"}, 2, 0);
    sheet.Start();
    ASSERT_TRUE(sheet.UserOK());
    ASSERT_TRUE(sheet.Ended());
    nicset::ConfigurationRecord back = r;
    EXPECT_FALSE(CopyBackFromPages(back, sheet));
    EXPECT_EQ(back.changed, 0);
    // A rename goes back; New makes a changed record of the pages.
    nicset::CVHlpPropSheet next{platform};
    FillPagesFromRecord(next, r, {"Office", "Home"}, 2, 0);
    next.Start();
    ASSERT_TRUE(next.general.edName.UserClearText());
    ASSERT_TRUE(next.general.edName.UserType("Cafe"));
    ASSERT_TRUE(next.UserOK());
    EXPECT_TRUE(CopyBackFromPages(back, next));
    EXPECT_EQ(back.name, "Cafe");
    EXPECT_EQ(RecordFromPages(next).macAddress, "00A0C9123456");
    EXPECT_EQ(RecordFromPages(next).changed, 1);
}

}  // namespace
