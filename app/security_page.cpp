// The Security page: WEP on or off, the four keys and their sizes, the passphrase, and the key
// rules checked before anything is stored.
#include <algorithm>
#include <cctype>

#include "adapter/device_control.h"
#include "app/form.h"
#include "config/passphrase.h"
#include "config/schema.h"
#include "config/stored_key.h"

namespace app {

namespace {

const std::vector<std::string> kSizeItems{"64   bits", "128 bits", "152 bits"};

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

void Paint(ui::Control& c, bool enabled) {
    c.SetEnabled(enabled);
    c.SetColor(enabled ? ui::kClWindow : ui::kClMenu);
}

}  // namespace

ui::RadioButton& TForm1::KeyRadio(int i) {
    ui::RadioButton* radios[] = {&rbKey1, &rbKey2, &rbKey3, &rbKey4};
    return *radios[i];
}
ui::Edit& TForm1::KeyEdit(int i) {
    ui::Edit* edits[] = {&EditFirst, &EditSecond, &EditThird, &EditFourth};
    return *edits[i];
}
ui::ComboBox& TForm1::KeySize(int i) {
    ui::ComboBox* sizes[] = {&cbKey1, &cbKey2, &cbKey3, &cbKey4};
    return *sizes[i];
}

void TForm1::BuildSecurityPage() {
    Place(chWEPEncryption, TabSheet3, 16, 12, 180, 17);
    chWEPEncryption.SetCaption("Enable WEP Encryption");
    Place(rbPass, TabSheet3, 16, 42, 180, 17);
    rbPass.SetCaption("Create with Passphrase");
    Place(EditPass, TabSheet3, 34, 64, 241, 21);
    EditPass.SetMaxLength(128);
    Place(cbPassLength, TabSheet3, 280, 64, 63, 21);
    cbPassLength.SetItems({kSizeItems[0], kSizeItems[1]});
    cbPassLength.SetItemIndex(0);
    Place(rbManu, TabSheet3, 16, 98, 180, 17);
    rbManu.SetCaption("Manual Entry");

    Place(GroupBox8, TabSheet3, 8, 124, 343, 150);
    GroupBox8.SetCaption("Encryption Keys  (Hex 0-9 A-F)");
    const char* captions[] = {"Key1:", "Key2:", "Key3:", "Key4:"};
    for (int i = 0; i < 4; ++i) {
        const int top = 26 + 30 * i;
        Place(KeyRadio(i), GroupBox8, 10, top + 2, 52, 17);
        KeyRadio(i).SetCaption(captions[i]);
        Place(KeyEdit(i), GroupBox8, 66, top, 201, 21);
        KeyEdit(i).SetMaxLength(config::KeyDigits(0));
        Place(KeySize(i), GroupBox8, 272, top, 63, 21);
        KeySize(i).SetItems(kSizeItems);
        KeySize(i).SetItemIndex(0);
    }
    rbKey1.SetChecked(true);
    Place(lbSecErr, TabSheet3, 16, 284, 330, 17);
    lbSecErr.SetVisible(false);
    SetSecurityEnableState();
}

void TForm1::WireSecurityPage() {
    chWEPEncryption.OnClick = [this] { chWEPEncryptionClick(); };
    for (int i = 0; i < 4; ++i) {
        KeyRadio(i).OnClick = [this] { EnableApplyIfShowing(TabSheet3); };
        KeyEdit(i).OnKeyPress = [this, i](char& key) { KeyEditKeyPress(i, key); };
        KeySize(i).OnChange = [this, i] { KeySizeChange(i); };
    }
    EditPass.OnKeyPress = [this](char& key) { EditPassKeyPress(key); };
    EditPass.OnChange = [this] { EditPassChange(); };
    rbPass.OnClick = [this] { rbPassClick(); };
    rbManu.OnClick = [this] { rbManuClick(); };
    cbPassLength.OnChange = [this] { cbPassLengthChange(); };
}

void TForm1::SetSecurityEnableState() {
    const bool on = chWEPEncryption.Checked();
    for (int i = 0; i < 4; ++i) KeyRadio(i).SetEnabled(on);
    rbPass.SetEnabled(on);
    rbManu.SetEnabled(on);
    const bool pass = rbPass.Checked(), manual = rbManu.Checked();
    if (on && !pass && !manual) return;
    for (int i = 0; i < 4; ++i) {
        Paint(KeyEdit(i), on && manual);
        Paint(KeySize(i), on && manual);
    }
    Paint(EditPass, on && pass);
    Paint(cbPassLength, on && pass);
}

void TForm1::chWEPEncryptionClick() {
    EnableApplyIfShowing(TabSheet3);
    SetSecurityEnableState();
}

void TForm1::KeyEditKeyPress(int slot, char& key) {
    EnableApplyIfShowing(TabSheet3);
    ui::Edit& edit = KeyEdit(slot);
    if (edit.Text() == kKeyMask) {
        if (key == '\r') {
            key = 0;
            return;
        }
        edit.SetText("");
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const bool hex = (upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'F');
    if (!hex && key != '\b') key = 0;
}

void TForm1::KeySizeChange(int slot) {
    EnableApplyIfShowing(TabSheet3);
    const int digits = config::KeyDigits(KeySize(slot).ItemIndex());
    if (digits == 0) return;
    ui::Edit& edit = KeyEdit(slot);
    if (edit.Text().size() > static_cast<std::size_t>(digits))
        edit.SetText(edit.Text().substr(0, digits));
    edit.SetMaxLength(digits);
    // A stored key of another size must be typed again.
    if (edit.Text() == kKeyMask) edit.SetText("");
}

void TForm1::EditPassKeyPress(char& key) {
    if (EditPass.Text() == kKeyMask && key != '\r') EditPass.SetText("");
    if (!std::isprint(static_cast<unsigned char>(key)) && key != '\b') key = 0;
}

void TForm1::EditPassChange() {
    if (!TabSheet3.Showing()) return;
    EnableApplyIfShowing(TabSheet3);
    const std::string& phrase = EditPass.Text();
    // The mask stands for the stored phrase, whose keys the edits already stand for.
    if (phrase == kKeyMask) return;
    if (phrase.empty()) {
        for (int i = 0; i < 4; ++i) KeyEdit(i).SetText("");
        return;
    }
    const auto keys =
        config::GeneratePassphraseKeys(phrase, cbPassLength.ItemIndex() == 0 ? 5 : 13);
    for (std::size_t i = 0; i < keys.size() && i < 4; ++i)
        KeyEdit(static_cast<int>(i)).SetText(keys[i]);
}

namespace {

void SetKeySizes(TForm1& f, int index) {
    for (int i = 0; i < 4; ++i) {
        f.KeySize(i).SetItemIndex(index);
        f.KeyEdit(i).SetMaxLength(config::KeyDigits(index));
    }
}

}  // namespace

void TForm1::rbPassClick() {
    if (!TabSheet3.Showing()) return;
    EnableApplyIfShowing(TabSheet3);
    if (!chWEPEncryption.Checked()) return;
    for (int i = 0; i < 4; ++i) {
        KeyEdit(i).SetText("");
        Paint(KeyEdit(i), false);
        Paint(KeySize(i), false);
    }
    Paint(EditPass, true);
    Paint(cbPassLength, true);
    if (cbPassLength.ItemIndex() == 1) {
        SetKeySizes(*this, 1);
    } else {
        cbPassLength.SetItemIndex(0);
        SetKeySizes(*this, 0);
    }
}

void TForm1::rbManuClick() {
    if (!TabSheet3.Showing()) return;
    EnableApplyIfShowing(TabSheet3);
    if (!chWEPEncryption.Checked()) return;
    EditPass.SetText("");
    Paint(EditPass, false);
    Paint(cbPassLength, false);
    for (int i = 0; i < 4; ++i) {
        Paint(KeyEdit(i), true);
        Paint(KeySize(i), true);
        if (int digits = config::KeyDigits(KeySize(i).ItemIndex())) KeyEdit(i).SetMaxLength(digits);
    }
}

void TForm1::cbPassLengthChange() {
    if (!TabSheet3.Showing()) return;
    EnableApplyIfShowing(TabSheet3);
    SetKeySizes(*this, cbPassLength.ItemIndex() == 0 ? 0 : 1);
    EditPass.SetText("");
}

std::optional<std::string_view> TForm1::CheckWepKeys() {
    if (!chWEPEncryption.Checked()) return std::nullopt;
    constexpr std::string_view kNoKeys = "Please input WEP keys.";
    bool anyRadio = false, allEmpty = true;
    for (int i = 0; i < 4; ++i) {
        const bool empty = KeyEdit(i).Text().empty();
        if (KeyRadio(i).Checked()) {
            anyRadio = true;
            if (empty) return kNoKeys;
        }
        allEmpty = allEmpty && empty;
    }
    static constexpr std::string_view kLength[] = {
        "Invalid length.\n\nPlease type in a 10 digit Hex number.",
        "Invalid length.\n\nPlease type in a 26 digit Hex number.",
        "Invalid length.\n\nPlease type in a 32 digit Hex number."};
    auto typed = [&](int i) {
        const std::string& t = KeyEdit(i).Text();
        return !t.empty() && t != kKeyMask;
    };
    for (int i = 0; i < 4; ++i) {
        const int index = KeySize(i).ItemIndex();
        const int digits = config::KeyDigits(index);
        if (typed(i) && digits && KeyEdit(i).Text().size() != std::size_t(digits))
            return kLength[index];
    }
    if (allEmpty) return kNoKeys;
    if (!anyRadio) return "Please select a key.";
    for (int i = 0; i < 4; ++i) {
        const std::string& t = KeyEdit(i).Text();
        if (typed(i) && !std::all_of(t.begin(), t.end(), IsHexDigit))
            return "Please input hex digits.";
    }
    return std::nullopt;
}

std::optional<std::string> TForm1::StoredKeyFor(int slot) {
    const std::string& text = KeyEdit(slot).Text();
    if (text == kKeyMask) return StoredKeyText[slot];
    if (text.empty()) return std::string();
    // With WEP off nothing was checked, and a pasted text may hold other characters.
    if (!std::all_of(text.begin(), text.end(), IsHexDigit)) {
        Warn("Please input hex digits.");
        return std::nullopt;
    }
    const std::string id =
        adapter::ReadCardCfgId(platform.registry, platform.uuids, adapter.AdapterKeyPath());
    if (id.empty()) {
        // Without the identifier the key cannot be enciphered: refuse to store it at all.
        Warn("The adapter's identifier could not be read. WEP keys cannot be stored.");
        return std::nullopt;
    }
    return config::EncodeStoredKey(text, id);
}

}  // namespace app
