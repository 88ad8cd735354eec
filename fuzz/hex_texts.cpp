// Hex key and address texts of both programs: the hex codec, the stored key cipher, and the
// configurator's sheet, where typed, pasted and stored texts meet the address and key edits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>

#include "config/hex.h"
#include "config/stored_key.h"
#include "nicset/prop_sheet.h"
#include "sim/pc.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void HexCodec(FuzzedDataProvider& in) {
    const std::string text = in.ConsumeRemainingBytesAsString();
    const auto bytes = config::ParseHex(text);
    if (!bytes) return;
    if (bytes->size() * 2 != text.size() || config::ToHexUpper(*bytes) != Upper(text)) std::abort();
}

void StoredKey(FuzzedDataProvider& in) {
    const std::string id = in.ConsumeRandomLengthString(300);
    const auto keyBytes = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::string text = in.ConsumeRemainingBytesAsString();
    // Any stored text, as a damaged store may hold it.
    const std::string plain = config::DecodeStoredKey(text, id, keyBytes);
    if (!plain.empty() && plain.size() != keyBytes * 2) std::abort();
    std::string stored;
    try {
        stored = config::EncodeStoredKey(text, id);
    } catch (const std::invalid_argument&) {
        return;  // the documented guard: no id, or not hex
    }
    if (stored.size() % 16 != 0) std::abort();
    const std::size_t digits = text.size() / 2 * 2;
    if (digits == 0) return;
    // What is enciphered deciphers to the same digits.
    if (config::DecodeStoredKey(stored, id, digits / 2) != Upper(text.substr(0, digits)))
        std::abort();
}

// A record from the store (its address and stored keys as they may be damaged), edited with
// typed and pasted texts, and taken back with OK.
void ConfigurationSheet(FuzzedDataProvider& in) {
    sim::Pc pc;
    const plat::Platform platform = pc.platform();
    nicset::CVHlpPropSheet sheet{platform};
    const std::string id = in.ConsumeBool() ? in.ConsumeRandomLengthString(40) : "";
    sheet.security.cardCfgId = [id] { return id; };

    nicset::ConfigurationRecord r;
    r.name = "Office";
    r.macAddressOn = in.ConsumeIntegralInRange(0, 1);
    r.macAddress = in.ConsumeRandomLengthString(20);
    r.securityOn = in.ConsumeIntegralInRange(0, 1);
    r.defaultKey = in.ConsumeIntegralInRange(-2, 5);
    r.uniqueKey = in.ConsumeRandomLengthString(40);
    r.uniqueKeyLength = in.ConsumeIntegral<int>();
    for (std::size_t i = 0; i < 4; ++i) {
        r.sharedKeys[i] = in.ConsumeRandomLengthString(40);
        r.sharedKeyLengths[i] = in.PickValueInArray({0, 40, 64, 104, 128, 152, 1, -1});
    }
    nicset::FillPagesFromRecord(sheet, r, {"Office", "Home"}, 2, 0);
    sheet.Start();

    nicset::HexEdit* edits[] = {&sheet.general.edAddress, &sheet.security.edFirst,
                                &sheet.security.edSecond, &sheet.security.edThird,
                                &sheet.security.edFourth, &sheet.security.edUnique};
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0:
                sheet.UserSelectPage(in.ConsumeIntegralInRange(-1, 3));
                break;
            case 1: {
                nicset::HexEdit& e = *in.PickValueInArray(edits);
                e.UserFocus();
                e.UserKey(in.ConsumeIntegral<char>());
                break;
            }
            case 2:
                in.PickValueInArray(edits)->UserType(in.ConsumeRandomLengthString(16));
                break;
            case 3:
                in.PickValueInArray(edits)->UserPaste(in.ConsumeRandomLengthString(16));
                break;
            case 4:
                in.PickValueInArray(edits)->UserClearText();
                break;
            case 5:
                // As the user clicks: only a box on the page on view takes it.
                (in.ConsumeBool() ? sheet.general.chAddress : sheet.security.chSecurity)
                    .UserClick();
                break;
            default:
                pc.dialogs().QueueAnswer(in.PickValueInArray({plat::kIdYes, plat::kIdNo}));
                break;
        }
    }
    // UserOK answers the click; the sheet ends only when every page took its values.
    sheet.UserOK();
    if (!sheet.Ended() || sheet.Result() != ui::kResultOk) return;
    nicset::ConfigurationRecord back = r;
    nicset::CopyBackFromPages(back, sheet);
    const nicset::ConfigurationRecord made = nicset::RecordFromPages(sheet);
    for (const nicset::ConfigurationRecord* out : {&std::as_const(back), &made}) {
        // An address taken with OK is twelve hex digits, or there is none.
        if (out->macAddressOn && (out->macAddress.size() != nicset::kMacAddressDigits ||
                                  !nicset::IsHexText(out->macAddress))) {
            std::fprintf(stderr, "on %d address '%s' (record: on %d '%s')\n", out->macAddressOn,
                         out->macAddress.c_str(), r.macAddressOn, r.macAddress.c_str());
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            HexCodec(in);
            break;
        case 1:
            StoredKey(in);
            break;
        default:
            ConfigurationSheet(in);
            break;
    }
    return 0;
}
