// Channel lists, the list chosen by regulatory domain and ad hoc band, the channel token both
// ways and the band compatibility check. Pure functions: the page applies them to its controls.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace config {

inline constexpr std::string_view kAutomaticChannel = "Automatic";

inline constexpr std::uint32_t kDomainFcc = 0x10;
inline constexpr std::uint32_t kDomainEtsi = 0x30;
inline constexpr std::uint32_t kDomainMkk = 0x40;

// Items of the ad hoc band and wireless mode boxes.
inline constexpr int kAdHoc24 = 0, kAdHoc5 = 1, kAdHocTurbo = 2;
inline constexpr int kBandAuto = 0, kBand24 = 1, kBand5 = 2;

std::span<const std::string_view> Fcc5Channels();
std::span<const std::string_view> Etsi5Channels();
std::span<const std::string_view> Mkk5Channels();
std::span<const std::string_view> Channels24();
std::span<const std::string_view> TurboChannels();

// The entries after "Automatic" for a domain (nullopt: the query failed) and ad hoc band.
std::span<const std::string_view> DomainChannels(std::optional<std::uint32_t> domain, int adHoc);
// The fill used when a profile is chosen: by ad hoc band alone.
std::span<const std::string_view> FixedChannels(int adHoc);

// The token of a channel list text: "" for "Automatic", "b<MHz>" for 2.4 GHz, "t<MHz>" for
// turbo, the channel number for other 5 GHz channels.
std::string ChannelToken(std::string_view text);
// First word of a list text.
std::string_view FirstWord(std::string_view text);

// What a channel lookup decided: an item to select (possibly past the end of the list, which
// leaves no selection), a message to show, or nothing.
struct ChannelChoice {
    std::optional<int> item;
    std::string_view message;  // shown when not empty
};
// After a profile was loaded (never the empty token).
ChannelChoice ChooseByToken(std::string_view token, const std::vector<std::string>& items);
// When the applied settings are shown in ad hoc mode.
ChannelChoice ChooseRestored(std::string_view token, int adHoc,
                             const std::vector<std::string>& items);

struct BandState {
    int radioBand;  // cbRadioBand item, -1 none
    int adHoc;      // cbAdHoc item
    int turbo;      // cbTurbo item
    bool adHocMode;
    bool ssidEmpty;
};
// The first failing message, or nothing.
std::optional<std::string_view> CheckBandCompatibility(const BandState& s);

}  // namespace config
