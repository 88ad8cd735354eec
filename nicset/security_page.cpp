#include "nicset/security_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "config/schema.h"
#include "config/stored_key.h"
#include "nicset/sheet_peer.h"
#include "nicset/strings.h"

namespace nicset {

namespace {

constexpr char kPasswordChar = '*';
constexpr char kPlaceholderChar = 'H';

std::size_t At(int slot) {
    return static_cast<std::size_t>(slot);
}

std::string_view KeyName(int slot) {
    return StringText(slot == kUniqueSlot ? kIdsUnique : kIdsFirst + slot);
}

// The size list's index of a size in bits; nullopt for a size it does not offer.
std::optional<int> SizeIndex(int bits) {
    if (bits < 0) return std::nullopt;
    return config::IndexOfProfile(config::KeyLengthCodes(), static_cast<std::uint32_t>(bits));
}

int DigitsOf(int bits) {
    return config::KeyDigits(config::KeyLengthIndex(static_cast<std::uint32_t>(bits)));
}

// A string's %s and %d in order from the texts.
std::string Fill(std::string_view format, std::initializer_list<std::string_view> texts) {
    std::string f(format);
    for (std::size_t at = f.find("%d"); at != std::string::npos; at = f.find("%d", at))
        f[++at] = 's';
    return FormatString(f, texts);
}

}  // namespace

CVCustomSecurityPage::CVCustomSecurityPage(plat::Dialogs& dialogs)
    : PropertyPage("CVCustomSecurityPage", kSecurityTemplate),
      edUnique("edUnique", dialogs),
      edFirst("edFirst", dialogs),
      edSecond("edSecond", dialogs),
      edThird("edThird", dialogs),
      edFourth("edFourth", dialogs),
      dialogs_(dialogs) {
    SetCaption("Security");
    struct Placed {
        ui::Control& c;
        int id;
    } controls[] = {{chSecurity, IDC_ENABLE_SECURITY}, {cbDefaultKey, IDC_DEFAULT_KEY},
                    {edUnique, IDC_UNIQUE_KEY},        {cbUniqueSize, IDC_UNIQUE_KEY_SIZE},
                    {edFirst, IDC_SHARED_KEY1},        {cbFirstSize, IDC_SHARED_KEY1_SIZE},
                    {edSecond, IDC_SHARED_KEY2},       {cbSecondSize, IDC_SHARED_KEY2_SIZE},
                    {edThird, IDC_SHARED_KEY3},        {cbThirdSize, IDC_SHARED_KEY3_SIZE},
                    {edFourth, IDC_SHARED_KEY4},       {cbFourthSize, IDC_SHARED_KEY4_SIZE},
                    {stStatus, IDC_KEY_STATUS}};
    for (auto& p : controls) {
        p.c.SetParent(this);
        p.c.SetId(p.id);
    }
    OnInitDialog = [this] { InitDialog(); };
    OnSetActive = [this] { BecomeActive(); };
    OnKillActive = [this] { return Leave(); };
    chSecurity.OnClick = [this] { SecurityClick(); };
    cbDefaultKey.OnDropDown = [this] { DefaultKeyDropDown(); };
    for (int slot = 0; slot < kKeySlots; ++slot) {
        HexEdit& e = KeyEdit(slot);
        e.SetUpperCase(true);
        e.SetPasswordChar(kPasswordChar);
        e.OnUpdate = [this, slot] { KeyUpdate(slot); };
        e.OnChange = [this, slot] { KeyChange(slot); };
        e.OnFocusGained = [this] { UpdateStatus(); };
        e.OnCursorNotice = [this] { UpdateStatus(); };
        e.OnFocusLost = [this] { KeyFocusLost(); };
        SizeList(slot).OnChange = [this, slot] { SizeChange(slot); };
    }
}

HexEdit& CVCustomSecurityPage::KeyEdit(int slot) {
    HexEdit* edits[] = {&edFirst, &edSecond, &edThird, &edFourth, &edUnique};
    return *edits[At(slot)];
}

ui::ComboBox& CVCustomSecurityPage::SizeList(int slot) {
    ui::ComboBox* lists[] = {&cbFirstSize, &cbSecondSize, &cbThirdSize, &cbFourthSize,
                             &cbUniqueSize};
    return *lists[At(slot)];
}

std::string& CVCustomSecurityPage::StoredText(int slot) {
    return slot == kUniqueSlot ? fields.uniqueKey : fields.sharedKeys[At(slot)];
}

int CVCustomSecurityPage::ListBits(int slot) {
    auto bits = config::ProfileNumber(config::KeyLengthCodes(), SizeList(slot).ItemIndex());
    return bits ? static_cast<int>(*bits) : EditedBits(slot);
}

void CVCustomSecurityPage::InitDialog() {
    stored_.fill(true);
    userEdit_ = false;
    chSecurity.SetChecked(fields.securityOn != 0);
    for (int slot = 0; slot < kKeySlots; ++slot) {
        ui::ComboBox& list = SizeList(slot);
        list.Clear();
        for (int id : {IDS_KEY_SIZE_64, IDS_KEY_SIZE_128, IDS_KEY_SIZE_152})
            list.AddItem(StringText(id));
        list.SetItemIndex(SizeIndex(EditedBits(slot)).value_or(-1));
        HexEdit& e = KeyEdit(slot);
        e.SetHexOnly(true);
        e.SetPasswordChar(kPasswordChar);
        const bool stored = !StoredText(slot).empty();
        e.SetText(stored ? std::string(static_cast<std::size_t>(DigitsOf(StartingBits(slot))),
                                       kPlaceholderChar)
                         : std::string());
        e.SetClearOnInput(stored);
        e.SetMaxLength(config::KeyDigits(list.ItemIndex()));
    }
    RebuildDefaultKeys(false);
    SelectDefaultKey();
    SetEnableStates();
    stStatus.SetCaption("");
}

void CVCustomSecurityPage::BecomeActive() {
    const int connection = SheetConnectionType(*this, dialogs_);
    if (connection != kConnectionUnknown) uniqueAllowed = connection != 0;
    SetEnableStates();
    RebuildDefaultKeys(false);
    SelectDefaultKey();
}

void CVCustomSecurityPage::ReadControls() {
    fields.securityOn = chSecurity.Checked() ? 1 : 0;
}

void CVCustomSecurityPage::SetEnableStates() {
    const bool on = fields.securityOn != 0;
    for (int slot = 0; slot < kKeySlots; ++slot) {
        const bool enabled = on && (slot != kUniqueSlot || uniqueAllowed);
        KeyEdit(slot).SetEnabled(enabled);
        SizeList(slot).SetEnabled(enabled);
    }
    cbDefaultKey.SetEnabled(on);
}

void CVCustomSecurityPage::RebuildDefaultKeys(bool keepSelection) {
    std::string kept;
    if (keepSelection && cbDefaultKey.ItemIndex() >= 0) kept = cbDefaultKey.Text();
    cbDefaultKey.Clear();
    if (uniqueAllowed && !edUnique.Text().empty()) cbDefaultKey.AddItem(KeyName(kUniqueSlot));
    for (int slot = 0; slot < kUniqueSlot; ++slot)
        if (!KeyEdit(slot).Text().empty()) cbDefaultKey.AddItem(KeyName(slot));
    if (cbDefaultKey.Count() == 1) cbDefaultKey.SetItemIndex(0);
    if (!kept.empty() && cbDefaultKey.IndexOf(kept) >= 0)
        cbDefaultKey.SetItemIndex(cbDefaultKey.IndexOf(kept));
}

void CVCustomSecurityPage::SelectDefaultKey() {
    const int key = fields.defaultKey;
    if (key == kDefaultKeyUnique && !uniqueAllowed) {
        if (cbDefaultKey.Count() > 0) cbDefaultKey.SetItemIndex(0);
        return;
    }
    if (key < kDefaultKeyUnique || key > 4) return;
    const int index = cbDefaultKey.IndexOf(KeyName(key == 0 ? kUniqueSlot : key - 1));
    if (index >= 0) cbDefaultKey.SetItemIndex(index);
}

void CVCustomSecurityPage::SecurityClick() {
    ReadControls();
    SetEnableStates();
}

void CVCustomSecurityPage::SizeChange(int slot) {
    ReadControls();
    HexEdit& e = KeyEdit(slot);
    const int digits = config::KeyDigits(SizeList(slot).ItemIndex());
    e.SetMaxLength(digits);
    if (digits > 0 && e.Text().size() > static_cast<std::size_t>(digits))
        e.SetText(e.Text().substr(0, static_cast<std::size_t>(digits)));
}

void CVCustomSecurityPage::KeyUpdate(int slot) {
    userEdit_ = true;
    HexEdit& e = KeyEdit(slot);
    e.SetPasswordChar(0);
    if (!IsHexText(e.Text())) {
        e.SetText("");
        e.ErrorBeep();
    }
}

void CVCustomSecurityPage::KeyChange(int slot) {
    // Only the user's edits count; the page's own SetText runs this too.
    if (!userEdit_) return;
    userEdit_ = false;
    if (stored_[At(slot)]) {
        stored_[At(slot)] = false;
        KeyEdit(slot).SetClearOnInput(false);
        KeyEdit(slot).SetPasswordChar(0);
    }
    UpdateStatus();
}

void CVCustomSecurityPage::UpdateStatus() {
    for (int slot = 0; slot < kKeySlots; ++slot) {
        const HexEdit& e = KeyEdit(slot);
        if (!e.Focused()) continue;
        stStatus.SetCaption(
            Fill(StringText(IDS_KEY_STATUS), {KeyName(slot), std::to_string(e.CaretPosition() + 1),
                                              std::to_string(e.Text().size())}));
        return;
    }
    stStatus.SetCaption("");
}

void CVCustomSecurityPage::KeyFocusLost() {
    RebuildDefaultKeys(true);
    stStatus.SetCaption("");
}

void CVCustomSecurityPage::DefaultKeyDropDown() {
    ReadControls();
    RebuildDefaultKeys(true);
}

std::string CVCustomSecurityPage::LengthLine(int slot) {
    const std::string limit = std::to_string(KeyEdit(slot).MaxLength());
    if (slot == kUniqueSlot) return Fill(StringText(IDS_ERR_UNIQUE_KEY_LENGTH), {limit});
    return Fill(StringText(IDS_ERR_SHARED_KEY_LENGTH), {KeyName(slot), limit});
}

bool CVCustomSecurityPage::Leave() {
    ReadControls();
    RebuildDefaultKeys(true);

    // Which keys fail their length: with security on every key whose text is not its edit's
    // limit; with it off only a stored key made longer than its digits, which cannot be
    // deciphered into the new size.
    std::array<bool, kKeySlots> badLength{};
    for (int slot = 0; slot < kKeySlots; ++slot) {
        const HexEdit& e = KeyEdit(slot);
        if (fields.securityOn) {
            badLength[At(slot)] = !e.Text().empty() && e.MaxLength() > 0 &&
                                  e.Text().size() != static_cast<std::size_t>(e.MaxLength());
        } else {
            badLength[At(slot)] = stored_[At(slot)] && !StoredText(slot).empty() &&
                                  ListBits(slot) > StartingBits(slot);
        }
    }
    std::string lines;
    if (fields.securityOn && cbDefaultKey.ItemIndex() < 0)
        lines += StringText(IDS_ERR_NO_DEFAULT_KEY);
    if (badLength[kUniqueSlot]) lines += LengthLine(kUniqueSlot);
    bool sharedEmpty = true;
    for (int slot = 0; slot < kUniqueSlot; ++slot)
        sharedEmpty = sharedEmpty && KeyEdit(slot).Text().empty();
    if (fields.securityOn && sharedEmpty) {
        lines += StringText(IDS_ERR_NO_SHARED_KEYS);
    } else {
        for (int slot = 0; slot < kUniqueSlot; ++slot)
            if (badLength[At(slot)]) lines += LengthLine(slot);
    }
    if (!lines.empty()) {
        dialogs_.ShowMessageBox(0, std::string(StringText(IDS_CORRECT_ERRORS)) + lines,
                                std::string(StringText(kIdsCaption)) + "(" + Caption() + ")",
                                plat::kMbOk);
        return false;
    }

    // Every new stored text first; nothing is taken over unless all can be made.
    std::array<int, kKeySlots> bits{};
    std::array<std::string, kKeySlots> texts;
    std::optional<std::string> cipher;
    auto cipherKey = [&]() -> const std::string& {
        if (!cipher) cipher = cardCfgId ? cardCfgId() : std::string();
        return *cipher;
    };
    for (int slot = 0; slot < kKeySlots; ++slot) {
        const std::size_t i = At(slot);
        bits[i] = ListBits(slot);
        const std::string& stored = StoredText(slot);
        if (stored_[i] && (bits[i] == StartingBits(slot) || stored.empty())) {
            texts[i] = stored;
            continue;
        }
        std::string digits = KeyEdit(slot).Text();
        if (stored_[i]) {
            if (cipherKey().empty()) return RefuseWithoutCipher();
            digits = config::DecodeStoredKey(stored, cipherKey(),
                                             static_cast<std::size_t>(StartingBits(slot) / 8));
            if (digits.empty()) {
                // A stored text that does not decipher stays as it is, with its size.
                texts[i] = stored;
                bits[i] = StartingBits(slot);
                continue;
            }
            digits.resize(std::min(digits.size(), static_cast<std::size_t>(bits[i] / 4)));
        }
        // Shorter texts make no key byte; non-hex ones never stay in an edit.
        if (digits.size() < 2 || !IsHexText(digits)) continue;
        if (cipherKey().empty()) return RefuseWithoutCipher();
        texts[i] = config::EncodeStoredKey(digits, cipherKey());
    }
    for (int slot = 0; slot < kKeySlots; ++slot) {
        const std::size_t i = At(slot);
        StoredText(slot) = texts[i];
        EditedBits(slot) = bits[i];
        // A stored key re-enciphered is now stored at its new size.
        if (stored_[i]) StartingBits(slot) = bits[i];
    }
    const int selected = cbDefaultKey.ItemIndex();
    if (selected >= 0) {
        for (int slot = 0; slot < kKeySlots; ++slot)
            if (cbDefaultKey.Item(selected) == KeyName(slot))
                fields.defaultKey = slot == kUniqueSlot ? kDefaultKeyUnique : slot + 1;
    }
    return true;
}

bool CVCustomSecurityPage::RefuseWithoutCipher() {
    dialogs_.ShowMessageBox(0, StringText(kIdsNoDeviceKey), StringText(kIdsCaption), plat::kMbOk);
    return false;
}

}  // namespace nicset
