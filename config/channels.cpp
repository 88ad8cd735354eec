#include "config/channels.h"

#include <algorithm>
#include <charconv>

namespace config {

namespace {

// clang-format off
constexpr std::string_view kFcc5[] = {
    "36   A/5.180GHz", "40   A/5.200GHz", "44   A/5.220GHz", "48   A/5.240GHz",
    "52   A/5.260GHz", "56   A/5.280GHz", "60   A/5.300GHz", "64   A/5.320GHz",
    "149 A/5.745GHz", "153 A/5.765GHz", "157 A/5.785GHz", "161 A/5.805GHz", "165 A/5.825GHz"};
constexpr std::string_view kEtsi5[] = {
    "36   A/5.180GHz", "40   A/5.200GHz", "44   A/5.220GHz", "48   A/5.240GHz",
    "52   A/5.260GHz", "56   A/5.280GHz", "60   A/5.300GHz", "64   A/5.320GHz",
    "100 A/5.500GHz", "104 A/5.520GHz", "108 A/5.540GHz", "112 A/5.560GHz", "116 A/5.580GHz",
    "120 A/5.600GHz", "124 A/5.620GHz", "128 A/5.640GHz", "132 A/5.660GHz", "136 A/5.680GHz",
    "140 A/5.700GHz"};
constexpr std::string_view kMkk5[] = {
    "34 A/5.170GHz", "38 A/5.190GHz", "42 A/5.210GHz", "46 A/5.230GHz"};
constexpr std::string_view k24[] = {
    "1   B/2.412GHz", "2   B/2.417GHz", "3   B/2.422GHz", "4   B/2.427GHz", "5   B/2.432GHz",
    "6   B/2.437GHz", "7   B/2.442GHz", "8   B/2.447GHz", "9   B/2.452GHz", "10 B/2.457GHz",
    "11 B/2.462GHz", "12 B/2.467GHz", "13 B/2.472GHz", "14 B/2.484GHz"};
constexpr std::string_view kTurbo[] = {
    "42   T/5.210GHz", "50   T/5.250GHz", "58   T/5.290GHz", "152 T/5.760GHz", "160 T/5.800GHz"};
// clang-format on

constexpr std::string_view k24Tokens[] = {"b2412", "b2417", "b2422", "b2427", "b2432",
                                          "b2437", "b2442", "b2447", "b2452", "b2457",
                                          "b2462", "b2467", "b2472", "b2484"};
constexpr std::string_view kTurboTokens[] = {"t5210", "t5250", "t5290", "t5760", "t5800"};
constexpr int kTurboNumbers[] = {42, 50, 58, 152, 160};

// 1-based position of a token in a table, or 0.
int Position(std::span<const std::string_view> tokens, std::string_view token) {
    auto it = std::find(tokens.begin(), tokens.end(), token);
    return it == tokens.end() ? 0 : static_cast<int>(it - tokens.begin()) + 1;
}

std::optional<int> FirstWordMatch(std::string_view token, const std::vector<std::string>& items,
                                  std::size_t from) {
    for (std::size_t i = from; i < items.size(); ++i)
        if (FirstWord(items[i]) == token) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace

std::span<const std::string_view> Fcc5Channels() {
    return kFcc5;
}
std::span<const std::string_view> Etsi5Channels() {
    return kEtsi5;
}
std::span<const std::string_view> Mkk5Channels() {
    return kMkk5;
}
std::span<const std::string_view> Channels24() {
    return k24;
}
std::span<const std::string_view> TurboChannels() {
    return kTurbo;
}

std::span<const std::string_view> DomainChannels(std::optional<std::uint32_t> domain, int adHoc) {
    if (!domain || adHoc < kAdHoc24 || adHoc > kAdHocTurbo) return {};
    const bool on24 = adHoc == kAdHoc24;
    switch (*domain) {
        case kDomainFcc:
            if (on24) return std::span(k24).first(11);
            return adHoc == kAdHoc5 ? std::span<const std::string_view>(kFcc5) : kTurbo;
        case kDomainEtsi:
            return on24 ? std::span(k24).first(13) : std::span<const std::string_view>(kEtsi5);
        case kDomainMkk:
            return on24 ? std::span<const std::string_view>(k24) : kMkk5;
        default:
            return {};
    }
}

std::span<const std::string_view> FixedChannels(int adHoc) {
    if (adHoc == kAdHoc24) return std::span(k24).first(11);
    if (adHoc == kAdHoc5) return kFcc5;
    if (adHoc == kAdHocTurbo) return kTurbo;
    return {};
}

std::string_view FirstWord(std::string_view text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    return text.substr(0, text.find(' '));
}

std::string ChannelToken(std::string_view text) {
    if (text == kAutomaticChannel) return {};
    const std::string_view word = FirstWord(text);
    int n = 0;
    const auto [rest, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (ec != std::errc()) return std::string(word);
    if (n >= 1 && n <= 14) return std::string(k24Tokens[n - 1]);
    // A 5 GHz entry that shares a turbo channel's number (MKK 42) is not a turbo channel: only a
    // text of the turbo list becomes a turbo token.
    const bool turboText = text.find("T/") != std::string_view::npos;
    for (int i = 0; i < 5; ++i)
        if (n == kTurboNumbers[i] && turboText) return std::string(kTurboTokens[i]);
    return std::string(word);
}

ChannelChoice ChooseByToken(std::string_view token, const std::vector<std::string>& items) {
    if (int p = Position(k24Tokens, token)) return {p, {}};
    if (int p = Position(kTurboTokens, token)) return {p, {}};
    if (auto i = FirstWordMatch(token, items, 1)) return {i, {}};
    return {std::nullopt, "find setting error"};
}

ChannelChoice ChooseRestored(std::string_view token, int adHoc,
                             const std::vector<std::string>& items) {
    if (token.empty()) return {0, {}};
    if (adHoc == kAdHoc24) {
        const int p = Position(k24Tokens, token);
        if (p >= 1 && p <= 11) return {p, {}};
        static constexpr std::string_view kMissing[] = {"error occor1", "error occor2",
                                                        "error occor3"};
        if (p >= 12) {
            if (static_cast<std::size_t>(p) < items.size()) return {p, {}};
            return {std::nullopt, kMissing[p - 12]};
        }
        return {std::nullopt, "error occor4"};
    }
    if (adHoc == kAdHoc5) return {FirstWordMatch(token, items, 0), {}};
    if (adHoc == kAdHocTurbo) {
        if (int p = Position(kTurboTokens, token)) return {p, {}};
    }
    return {};
}

std::optional<std::string_view> CheckBandCompatibility(const BandState& s) {
    if (s.adHoc == kAdHocTurbo && s.turbo == 0)
        return "The turbo mode selection is not compatable with the AdHoc mode.";
    if ((s.radioBand == kBand5 && s.adHoc == kAdHoc24) ||
        (s.radioBand == kBand24 && s.adHoc == kAdHoc5))
        return "The AdHoc NetWork selection is not compatable with Wireless mode.";
    if (s.adHocMode && s.ssidEmpty) return "Station can't start an AdHoc without an SSID.";
    return std::nullopt;
}

}  // namespace config
