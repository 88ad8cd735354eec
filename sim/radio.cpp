#include "sim/radio.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

// "1,2,5,11", blanks also separate; "5.5" reads as 5; anything else is skipped.
std::vector<std::uint8_t> ParseRates(std::string_view text) {
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        unsigned v = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            v = std::min(v * 10 + static_cast<unsigned>(text[i] - '0'), 1000u);
            ++i;
        }
        if (i < text.size() && text[i] == '.') {  // drop the fraction
            ++i;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        }
        if (v > 0 && v < 256) out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

std::string RatesText(const std::vector<std::uint8_t>& rates) {
    std::string s;
    for (auto r : rates) {
        if (!s.empty()) s += ',';
        s += std::to_string(r);
    }
    return s;
}

std::string Lower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Upper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::optional<MacAddress> ParseMac(std::string_view text) {
    MacAddress mac{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '-' || text[i] == ':') {
            ++i;
            continue;
        }
        if (n == 6 || i + 1 >= text.size()) return std::nullopt;
        int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        mac[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    if (n != 6) return std::nullopt;
    return mac;
}

std::string FormatMac(const MacAddress& mac) {
    char buf[18];
    std::snprintf(buf, sizeof buf, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                  mac[4], mac[5]);
    return buf;
}

std::optional<std::uint32_t> ReadNumber(const plat::RegKey& key, std::string_view name) {
    auto v = key.Get(name);
    if (!v) return std::nullopt;
    if (v->type == plat::RegType::Dword) return plat::ReadDword(key, name);
    if (auto text = plat::ReadString(key, name)) return ParseNumber(*text);
    return std::nullopt;
}

std::vector<RadioNetwork> ReadRadioNetworks(plat::Registry& reg) {
    std::vector<RadioNetwork> out;
    auto root = reg.Open(kRadioNetworksKey);
    if (!root) return out;
    for (const auto& name : root->SubKeyNames()) {
        auto key = reg.Open(plat::JoinPath(kRadioNetworksKey, name));
        if (!key) continue;
        RadioNetwork n;
        auto bssid = ParseMac(plat::ReadString(*key, "BSSID").value_or(""));
        auto freq = ReadNumber(*key, "Frequency");
        if (!bssid || !freq || *freq == 0 || *freq > 0xFFFF) continue;
        n.bssid = *bssid;
        n.frequency = static_cast<std::uint16_t>(*freq);
        n.ssid = plat::ReadString(*key, "SSID").value_or("").substr(0, 32);
        n.channelFlags = static_cast<std::uint16_t>(ReadNumber(*key, "ChannelFlags").value_or(0));
        n.privacy = ReadNumber(*key, "Privacy").value_or(0);
        // A malformed key is kept as written: no station's key equals it.
        n.key = Upper(plat::ReadString(*key, "Key").value_or(""));
        n.signal = ReadNumber(*key, "Signal").value_or(0);
        n.signalSwing = ReadNumber(*key, "SignalSwing").value_or(0);
        n.adHoc = Lower(plat::ReadString(*key, "Mode").value_or("")) == "adhoc";
        n.rates = ParseRates(plat::ReadString(*key, "Rates").value_or(""));
        if (n.rates.empty())
            n.rates = n.frequency > 5000 ? std::vector<std::uint8_t>{6, 12, 24, 36, 48, 54}
                                         : std::vector<std::uint8_t>{1, 2, 5, 11};
        n.txBytesPerSec = ReadNumber(*key, "TxBytesPerSec").value_or(0);
        n.rxBytesPerSec = ReadNumber(*key, "RxBytesPerSec").value_or(0);
        n.txFramesPerSec = ReadNumber(*key, "TxFramesPerSec").value_or(0);
        n.rxFramesPerSec = ReadNumber(*key, "RxFramesPerSec").value_or(0);
        out.push_back(std::move(n));
    }
    return out;
}

bool WriteRadioNetwork(plat::Registry& reg, std::string_view name, const RadioNetwork& net) {
    std::string path = plat::JoinPath(kRadioNetworksKey, name);
    reg.DeleteTree(path);
    auto key = reg.Create(path);
    if (!key) return false;
    bool ok = plat::WriteString(*key, "BSSID", FormatMac(net.bssid)) &&
              plat::WriteString(*key, "SSID", net.ssid) &&
              plat::WriteDword(*key, "Frequency", net.frequency) &&
              plat::WriteDword(*key, "ChannelFlags", net.channelFlags) &&
              plat::WriteDword(*key, "Privacy", net.privacy) &&
              plat::WriteDword(*key, "Signal", net.signal) &&
              plat::WriteDword(*key, "SignalSwing", net.signalSwing) &&
              plat::WriteString(*key, "Mode", net.adHoc ? "adhoc" : "infra") &&
              plat::WriteString(*key, "Rates", RatesText(net.rates)) &&
              plat::WriteDword(*key, "TxBytesPerSec", net.txBytesPerSec) &&
              plat::WriteDword(*key, "RxBytesPerSec", net.rxBytesPerSec) &&
              plat::WriteDword(*key, "TxFramesPerSec", net.txFramesPerSec) &&
              plat::WriteDword(*key, "RxFramesPerSec", net.rxFramesPerSec);
    if (ok && !net.key.empty()) ok = plat::WriteString(*key, "Key", net.key);
    return ok;
}

void ClearRadioNetworks(plat::Registry& reg) {
    reg.DeleteTree(kRadioNetworksKey);
}

std::uint32_t SignalAt(const RadioNetwork& net, std::uint64_t nowMs) {
    std::uint64_t s = std::min<std::uint32_t>(net.signalSwing, 1000);
    if (s == 0) return net.signal;
    std::uint64_t phase = (nowMs / 1000 + net.bssid[5]) % (4 * s);
    std::int64_t offset = phase < 2 * s
                              ? static_cast<std::int64_t>(phase) - static_cast<std::int64_t>(s)
                              : static_cast<std::int64_t>(3 * s - phase);
    std::int64_t v = static_cast<std::int64_t>(net.signal) + offset;
    return v < 0 ? 0 : static_cast<std::uint32_t>(v);
}

std::vector<Channel> ScanChannels(std::uint32_t netBand, std::uint32_t domain) {
    if ((netBand & 7u) == 0) netBand = 5;
    enum class Plan { Fcc, Etsi, Mkk };
    Plan plan = domain == 0x40                       ? Plan::Mkk
                : (domain >= 0x30 && domain <= 0x32) ? Plan::Etsi
                                                     : Plan::Fcc;
    std::vector<Channel> out;
    auto add = [&out](unsigned f, std::uint16_t flags = 0) {
        out.push_back({static_cast<std::uint16_t>(f), flags});
    };
    if (netBand & 4u) {
        int last = plan == Plan::Fcc ? 11 : 13;
        for (int ch = 1; ch <= last; ++ch) add(2407 + 5 * ch);
        if (plan == Plan::Mkk) add(2484);
    }
    if (netBand & 1u) {
        if (plan == Plan::Mkk) {
            for (int ch = 34; ch <= 46; ch += 4) add(5000 + 5 * ch);
        } else {
            for (int ch = 36; ch <= 64; ch += 4) add(5000 + 5 * ch);
            if (plan == Plan::Fcc)
                for (int ch = 149; ch <= 165; ch += 4) add(5000 + 5 * ch);
            else
                for (int ch = 100; ch <= 140; ch += 4) add(5000 + 5 * ch);
        }
    }
    if (netBand & 2u)
        for (unsigned f : {5210u, 5250u, 5290u, 5760u, 5800u}) add(f, kChannelTurbo);
    return out;
}

bool Audible(const RadioNetwork& net, const std::vector<Channel>& channels) {
    bool turbo = (net.channelFlags & kChannelTurbo) != 0;
    return std::any_of(channels.begin(), channels.end(), [&](const Channel& c) {
        return c.frequency == net.frequency && ((c.flags & kChannelTurbo) != 0) == turbo;
    });
}

void EncodeScanListEntry(const RadioNetwork& net, std::uint32_t signal, std::uint8_t* out) {
    std::memset(out, 0, kScanListEntrySize);
    std::memcpy(out, net.bssid.data(), 6);
    std::memcpy(out + 8, net.ssid.data(), std::min<std::size_t>(net.ssid.size(), 32));
    Put32(out + 40, net.privacy);
    Put32(out + 44, signal);
    Put16(out + 56, net.frequency);
    Put16(out + 58, net.channelFlags);
    Put32(out + 60, net.adHoc ? 1 : 0);
}

}  // namespace sim
