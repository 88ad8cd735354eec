// Texts of the Status page that do not depend on the window.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace app {

// Link-state texts of StationState; the three link handlers read them back.
inline constexpr std::string_view kScanningText = "Scanning...";
inline constexpr std::string_view kEncryptionNeededText = "Enable Encryption to join this BSS/IBSS";
// A joined network's name and address longer than this take two lines in StationState.
inline constexpr std::size_t kOneLineStationChars = 30;
inline constexpr std::size_t kMaxSsidBytes = 32;

// "36  A/  5.180 GHz" of a frequency in MHz and the driver's channel flags.
std::string ChannelText(std::uint16_t frequency, std::uint16_t flags);
// "5.5 Mbps" for 5, else "%d Mbps".
std::string RateText(std::uint8_t rate);
// "Disable", "WEP", "AES" or "" of an encryption or privacy byte; withDisable false gives ""
// for 0, as the scan list's open networks show.
std::string EncryptionText(std::uint32_t code, bool withDisable);
// Upper-case "00-0B-86-12-34-56".
std::string MacText(const std::uint8_t* six);
// Name of a regulatory domain code; "N/A" for an unknown one.
std::string DomainText(std::uint32_t code);
// "24 Jul 2002 23:32:18" of a packed FAT date and time; "N/A" for a month out of range.
std::string DriverDateText(const plat::DosDateTime& t);

}  // namespace app
