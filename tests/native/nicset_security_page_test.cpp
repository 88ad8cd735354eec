// The profile sheet's Security page: placeholders for stored keys, the default-key list, the
// checks when it is left and the keys it stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/stored_key.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/prop_sheet.h"
#include "sim/dialogs.h"
#include "sim/modal.h"
#include "sim/pc.h"
#include "sim/zn6200.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

constexpr std::string_view kCardId = "6B29FC40-CA47-1067-B31D-00DD010662DA";
constexpr std::string_view kDigits32 = "00112233445566778899AABBCCDDEEFF";
const std::string kCorrect = "Correct the following error(s) in this page:\n\n";

std::string Stored(std::string_view hex) {
    return config::EncodeStoredKey(hex, kCardId);
}

struct NicsetSecurityPage : ::testing::Test {
    sim::Pc pc;
    sim::Dialogs& dialogs = pc.dialogs();
    nicset::CVHlpPropSheet sheet{pc.platform()};
    nicset::CVCustomSecurityPage& page = sheet.security;
    nicset::SecurityFields& f = sheet.security.fields;
    std::string cardId{kCardId};
    int cipherReads = 0;

    NicsetSecurityPage() {
        page.cardCfgId = [this] {
            ++cipherReads;
            return cardId;
        };
    }
    // A stored key in a slot (0..3 shared, 4 unique) at a size in bits.
    void StoreKey(int slot, std::string_view hex, int bits) {
        (slot == 4 ? f.uniqueKey : f.sharedKeys[static_cast<std::size_t>(slot)]) = Stored(hex);
        f.startingLengths[static_cast<std::size_t>(slot)] = bits;
        f.lengths[static_cast<std::size_t>(slot)] = bits;
    }
    void Open(int connectionType = 1) {
        sheet.general.fields.connectionType = connectionType;
        sheet.SetStartPage(1);
        sheet.Start();
        ASSERT_EQ(sheet.ActivePage(), &page);
    }
    bool Leave() { return sheet.UserSelectPage(2); }
    bool Return() { return sheet.UserSelectPage(1); }
    std::string OnlyBox() {
        EXPECT_EQ(dialogs.Boxes().size(), 1u);
        return dialogs.Boxes().empty() ? std::string() : dialogs.Boxes()[0].text;
    }
};

TEST_F(NicsetSecurityPage, AStoredKeyShowsAPlaceholderAndPassesUnchanged) {
    f.securityOn = 1;
    StoreKey(0, "0123456789", 40);
    const std::string before = f.sharedKeys[0];
    Open();
    EXPECT_EQ(page.edFirst.Text(), "HHHHHHHHHH");
    EXPECT_EQ(page.edFirst.PasswordChar(), '*');
    EXPECT_EQ(page.cbFirstSize.Text(), "64  (40+24)  10 hex digits");
    EXPECT_EQ(page.cbDefaultKey.Items(), (std::vector<std::string>{"First"}));
    EXPECT_EQ(page.cbDefaultKey.Text(), "First");
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.sharedKeys[0], before);
    EXPECT_EQ(f.defaultKey, 1);
    EXPECT_EQ(cipherReads, 0);
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(NicsetSecurityPage, OneDigitReplacesThePlaceholderAndTheKeyMustThenBeCompleted) {
    f.securityOn = 1, f.defaultKey = 1;
    StoreKey(0, "0123456789", 40);
    Open();
    ASSERT_TRUE(page.edFirst.UserKey('7'));
    EXPECT_EQ(page.edFirst.Text(), "7");
    EXPECT_EQ(page.edFirst.PasswordChar(), 0);
    EXPECT_FALSE(page.HoldsStoredValue(0));
    EXPECT_FALSE(Leave());
    EXPECT_EQ(
        OnlyBox(),
        kCorrect + "Shared Key - First:   \tInvalid length. Type in a 10 digit hex number.\n");
    ASSERT_TRUE(page.edFirst.UserType("123456789"));
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.sharedKeys[0], Stored("7123456789"));
}

TEST_F(NicsetSecurityPage, AdHocDisablesTheUniqueKeyAndDropsItFromTheDefaultKeys) {
    f.securityOn = 1, f.defaultKey = 0;
    StoreKey(4, std::string_view(kDigits32).substr(0, 26), 104);
    StoreKey(1, "0123456789", 40);
    Open(1);
    EXPECT_TRUE(page.edUnique.Enabled());
    EXPECT_EQ(page.cbDefaultKey.Items(), (std::vector<std::string>{"Unique", "Second"}));
    EXPECT_EQ(page.cbDefaultKey.Text(), "Unique");

    ASSERT_TRUE(Leave());
    sheet.general.fields.connectionType = 0;
    ASSERT_TRUE(Return());
    EXPECT_FALSE(page.edUnique.Enabled());
    EXPECT_FALSE(page.cbUniqueSize.Enabled());
    EXPECT_EQ(page.cbDefaultKey.Items(), (std::vector<std::string>{"Second"}));
    EXPECT_EQ(page.cbDefaultKey.Text(), "Second");
}

TEST_F(NicsetSecurityPage, LeavingCollectsEveryErrorInOneBoxInItsOrder) {
    f.securityOn = 1;
    Open();
    ASSERT_TRUE(page.edUnique.UserType("12345"));
    // Ad hoc meanwhile: the unique key is no longer offered as the default key.
    sheet.general.fields.connectionType = 0;
    page.BecomeActive();
    EXPECT_EQ(page.cbDefaultKey.Count(), 0);
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyBox(),
              kCorrect +
                  "Default Encryption Key:\tDefault Encryption Key not selected. Select a default "
                  "encryption key.\n"
                  "Unique Key: \t\tInvalid length. Type in a 10 digit hex number.\n"
                  "Shared Keys: \t\tShared keys are not set. Enter at least one shared key to "
                  "enable security.");
    EXPECT_EQ(dialogs.Boxes()[0].caption, "Network Configuration Settings(Security)");
    EXPECT_EQ(sheet.ActivePage(), &page);
    EXPECT_TRUE(f.uniqueKey.empty());
    EXPECT_EQ(f.defaultKey, nicset::kDefaultKeyNone);
}

TEST_F(NicsetSecurityPage, AShortenedStoredKeyKeepsItsLeadingDigitsOnEveryLeave) {
    struct Case {
        int on, startBits, sizeIndex, bits;
    } cases[] = {{1, 128, 1, 104}, {0, 128, 1, 104}, {1, 104, 0, 40}, {0, 128, 0, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "on " << c.on << ", " << c.startBits << " to " << c.bits);
        dialogs.Clear();
        f = {};
        f.securityOn = 1, f.defaultKey = 1;
        const std::size_t digits = static_cast<std::size_t>(c.bits / 4);
        StoreKey(0, kDigits32.substr(0, static_cast<std::size_t>(c.startBits / 4)), c.startBits);
        Open();
        ASSERT_TRUE(page.cbFirstSize.UserSelect(c.sizeIndex));
        if (!c.on) {
            ASSERT_TRUE(page.chSecurity.UserClick());
        }
        EXPECT_EQ(page.edFirst.Text(), std::string(digits, 'H'));
        EXPECT_TRUE(page.HoldsStoredValue(0));
        const std::string expected = Stored(kDigits32.substr(0, digits));
        ASSERT_TRUE(Leave());
        EXPECT_EQ(f.sharedKeys[0], expected);
        EXPECT_EQ(f.lengths[0], c.bits);
        // Left again, the key is now stored at its new size and stays as it is.
        ASSERT_TRUE(Return());
        ASSERT_TRUE(Leave());
        EXPECT_EQ(f.sharedKeys[0], expected);
        EXPECT_EQ(f.lengths[0], c.bits);
        EXPECT_EQ(config::DecodeStoredKey(f.sharedKeys[0], kCardId, digits / 2),
                  kDigits32.substr(0, digits));
        EXPECT_TRUE(dialogs.Boxes().empty());
    }
}

// A stored key made longer has too few digits for its new size, with security on or off: the
// page names it instead of storing digits nobody typed.
TEST_F(NicsetSecurityPage, ALengthenedStoredKeyIsRefusedUntilRetyped) {
    for (int on : {0, 1}) {
        SCOPED_TRACE(on);
        dialogs.Clear();
        f = {};
        f.securityOn = 1, f.defaultKey = 2;
        StoreKey(1, "0123456789", 40);
        const std::string before = f.sharedKeys[1];
        Open();
        ASSERT_TRUE(page.cbSecondSize.UserSelect(2));
        if (!on) {
            ASSERT_TRUE(page.chSecurity.UserClick());
        }
        EXPECT_FALSE(Leave());
        EXPECT_EQ(OnlyBox(), kCorrect +
                                 "Shared Key - Second:   \tInvalid length. Type in a 32 "
                                 "digit hex number.\n");
        EXPECT_EQ(f.sharedKeys[1], before);
        EXPECT_EQ(f.lengths[1], 40);
        if (!on) {
            ASSERT_TRUE(page.chSecurity.UserClick());
        }
        ASSERT_TRUE(page.edSecond.UserType(kDigits32));
        EXPECT_TRUE(Leave());
        EXPECT_EQ(f.sharedKeys[1], Stored(kDigits32));
        EXPECT_EQ(f.lengths[1], 128);
    }
}

TEST_F(NicsetSecurityPage, StatusLineFollowsTheFocusedKeyAndAPastedNonHexTextEmptiesIt) {
    f.securityOn = 1;
    Open();
    ASSERT_TRUE(page.edThird.UserFocus());
    EXPECT_EQ(page.stStatus.Caption(), "Third Key: Column 1,  Length 0 ");
    ASSERT_TRUE(page.edThird.UserType("AB"));
    EXPECT_EQ(page.stStatus.Caption(), "Third Key: Column 3,  Length 2 ");
    ASSERT_TRUE(page.edThird.UserCursorKey(ui::CursorKey::Home));
    EXPECT_EQ(page.stStatus.Caption(), "Third Key: Column 1,  Length 2 ");
    ASSERT_TRUE(page.edThird.UserLeave());
    EXPECT_EQ(page.stStatus.Caption(), "");
    EXPECT_EQ(page.cbDefaultKey.Items(), (std::vector<std::string>{"Third"}));

    ASSERT_TRUE(page.edFirst.UserPaste("12G4"));
    EXPECT_EQ(page.edFirst.Text(), "");
    EXPECT_EQ(dialogs.Beeps(), (std::vector<std::uint32_t>{plat::kMbIconError}));
}

TEST_F(NicsetSecurityPage, WithoutACipherKeyANewKeyIsNotStored) {
    cardId.clear();
    f.securityOn = 1;
    f.sharedKeys[3] = "SENTINEL";
    Open();
    ASSERT_TRUE(page.edFirst.UserPaste("0123456789"));
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyBox(), "Unable to open the registry key for this device.");
    EXPECT_EQ(cipherReads, 1);
    EXPECT_TRUE(f.sharedKeys[0].empty());
    EXPECT_EQ(f.sharedKeys[3], "SENTINEL");
}

TEST(NicsetSecurityPageAlone, WithoutASheetShowsString65AndKeepsWorking) {
    sim::Dialogs dialogs;
    nicset::CVCustomSecurityPage page(dialogs);
    page.Create();
    page.SetActive();
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].text, "Unable to obatin the property sheets pointer.");
    EXPECT_TRUE(page.uniqueAllowed);
    EXPECT_TRUE(page.KillActive());
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
}

// Through the applet: the page enciphers with the shown adapter's CardCfgId, made when missing.
TEST(NicsetSecurityPageInTheApplet, ATypedKeyIsEncipheredWithTheAdaptersCardCfgId) {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    sim::ModalRunner modal;
    sim::Zn6200* card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg"));
    modal.ExpectSheet([](ui::PropertySheet& s) {
        auto& sheet = static_cast<nicset::CVHlpPropSheet&>(s);
        sheet.general.edName.UserType("Cafe");
        sheet.general.edNetworkName.UserType("Latte");
        ASSERT_TRUE(s.UserSelectPage(1));
        ASSERT_TRUE(sheet.security.chSecurity.UserClick());
        ASSERT_TRUE(sheet.security.edFirst.UserType("0123456789"));
        s.UserOK();
        EXPECT_TRUE(s.Ended());
    });
    nicset::CVNicCfgDlg dlg(platform, modal);
    modal.ExpectDialog([&](ui::Dialog&) { ASSERT_TRUE(dlg.btNew.UserClick()); });
    modal.RunModal(dlg.dialog);

    ASSERT_EQ(dlg.adapters.size(), 1u);
    ASSERT_EQ(dlg.adapters[0].records.size(), 1u);
    const nicset::ConfigurationRecord& r = dlg.adapters[0].records[0];
    auto key = pc.registry().Open(card->DriverKeyPath());
    ASSERT_TRUE(key);
    const std::string id = plat::ReadString(*key, "CardCfgId").value_or("");
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(r.securityOn, 1);
    EXPECT_EQ(r.defaultKey, 1);
    EXPECT_EQ(r.sharedKeys[0], config::EncodeStoredKey("0123456789", id));
    EXPECT_EQ(r.sharedKeyLengths[0], 40);
}

}  // namespace
