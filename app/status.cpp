// The Status page: the status poll, the link-name and channel display and the signal display.
#include "app/status.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "adapter/oids.h"
#include "adapter/zero_config.h"
#include "app/form.h"
#include "app/scan_list.h"

namespace app {

namespace {

constexpr ui::Color kAdHocBarColor = 0x808080;
constexpr ui::Color kSignalBarColor = 0xFF0000;
constexpr std::uint16_t kTurboFrequencies[] = {5210, 5250, 5290, 5760, 5800};

std::uint32_t Le32(const std::uint8_t* b) {
    return b[0] | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

// The name in the first `written` bytes, never more than an SSID holds and never past a zero.
std::string SsidOf(const std::uint8_t* buffer, std::uint32_t written) {
    const std::size_t n = std::min<std::size_t>(written, kMaxSsidBytes);
    const auto* end = std::find(buffer, buffer + n, std::uint8_t{0});
    return std::string(buffer, end);
}

}  // namespace

std::string ChannelText(std::uint16_t frequency, std::uint16_t flags) {
    char band;
    if (frequency > 5000) {
        band = std::find(std::begin(kTurboFrequencies), std::end(kTurboFrequencies), frequency) !=
                       std::end(kTurboFrequencies)
                   ? 'T'
                   : 'A';
    } else {
        band = (flags & kChannelFlag11g) ? 'G' : 'B';
    }
    char text[40];
    std::snprintf(text, sizeof text, "%d  %c/  %1d.%03d GHz", ChannelNumber(frequency), band,
                  frequency / 1000, frequency % 1000);
    return text;
}

std::string RateText(std::uint8_t rate) {
    if (rate == 5) return "5.5 Mbps";
    return std::to_string(rate) + " Mbps";
}

std::string EncryptionText(std::uint32_t code, bool withDisable) {
    switch (code) {
        case 0:
            return withDisable ? "Disable" : "";
        case 1:
            return "WEP";
        case 2:
            return "AES";
        default:
            return "";
    }
}

std::string MacText(const std::uint8_t* b) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    return text;
}

void TForm1::StatusTimerTimer() {
    const bool managed = adapter::IsZeroConfigManaged(platform.system, platform.services,
                                                      platform.registry, adapter.AdapterKeyPath());
    for (ui::TabSheet* t : {&TabSheet2, &TabSheet3, &TabSheet7}) t->SetTabVisible(!managed);
    StatusTimer.SetEnabled(false);
    UpdateDeviceLabels();

    std::vector<std::uint8_t> buf(adapter::kQueryBufferSize);
    const auto size = static_cast<std::uint32_t>(buf.size());
    if (adapter.QueryOid(adapter::OID_PRIV_NETWORK_MODE, buf.data(), size) == 0)
        NetWorkType.SetCaption(buf[0] ? "Ad Hoc" : "Infrastructure");

    std::fill(buf.begin(), buf.end(), 0);
    if (adapter.QueryOid(adapter::OID_PRIV_CONNECTION_STATE, buf.data(), size) == 0) {
        const std::uint32_t state = Le32(buf.data());
        if (state == 1 || state == 3) {
            std::uint32_t written = 0;
            if (adapter.QueryOid(adapter::OID_PRIV_BSSID, buf.data(), size) == 0 &&
                adapter.QueryOidWithLength(adapter::OID_PRIV_SSID, buf.data(), size, written) == 0)
                LinkSsid = SsidOf(buf.data(), written);
            if (adapter.QueryOid(adapter::OID_PRIV_ENCRYPTION, buf.data(), size) == 0)
                stEncryption.SetCaption(EncryptionText(buf[0], true));
        } else {
            const std::string& wanted = cbSSID.Text();
            std::string_view link = kScanningText;
            std::string encryption;
            std::uint32_t written = 0;
            std::vector<std::uint8_t> list(kListScanBufferSize);
            if (adapter.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, list.data(),
                                           static_cast<std::uint32_t>(list.size()), written) == 0) {
                for (const ScanListEntry& e : DecodeScanList(list.data(), list.size(), written)) {
                    if (e.ssid != wanted) continue;
                    encryption = EncryptionText(e.privacy, false);
                    if (!chWEPEncryption.Checked() && !encryption.empty())
                        link = kEncryptionNeededText;
                    break;
                }
            }
            StationState.SetCaption(link);
            stEncryption.SetCaption(encryption);
            LinkSsid.clear();
            lbConnectTo.SetTop(24);
            StationState.SetTop(24);
            StationState.SetHeight(19);
            lbPercent.SetCaption("N/A");
            pbSignalStrenth.SetPosition(0);
            pbSignalStrenth.Repaint();
            for (ui::StaticText* t :
                 {&stDataTx, &stDataRx, &stTxPacket, &stRxPacket, &stTxByte, &stRxByte})
                t->SetCaption("");
        }
    }

    const std::string& shown = StationState.Caption();
    if (shown != kScanningText && shown != kEncryptionNeededText) {
        if (adapter.QueryOid(adapter::OID_PRIV_TX_RATE, buf.data(), size) == 0)
            TxRate.SetCaption(RateText(buf[0]));
        if (adapter.QueryOid(adapter::OID_PRIV_RX_RATE, buf.data(), size) == 0)
            RxRate.SetCaption(RateText(buf[0]));
        UpdateStatistics();
    } else {
        if (shown == kEncryptionNeededText) CurrentChannel.SetCaption("");
        TxRate.SetCaption("");
        RxRate.SetCaption("");
    }
    InsertTimer.SetEnabled(true);
}

void TForm1::ChannelTimerTimer() {
    // Twenty times a second: no fresh 5000 bytes each time. Only the leading bytes are read
    // back, so only they start out zero.
    std::array<std::uint8_t, adapter::kQueryBufferSize> buf;
    std::fill_n(buf.begin(), 2 * kMaxSsidBytes, std::uint8_t{0});
    const auto size = static_cast<std::uint32_t>(buf.size());
    if (adapter.QueryOid(adapter::OID_PRIV_CONNECTION_STATE, buf.data(), size) != 0) return;
    auto showChannel = [&] {
        if (adapter.QueryOid(adapter::OID_PRIV_CURRENT_CHANNEL, buf.data(), size) != 0) return;
        const auto frequency = std::uint16_t(buf[0] | buf[1] << 8);
        const auto flags = std::uint16_t(buf[2] | buf[3] << 8);
        if (channelShown_.text.empty() || frequency != channelShown_.frequency ||
            flags != channelShown_.flags)
            channelShown_ = {frequency, flags, ChannelText(frequency, flags)};
        CurrentChannel.SetCaption(channelShown_.text);
    };
    if (buf[0] == 0) {
        if (StationState.Caption() == kEncryptionNeededText)
            CurrentChannel.SetCaption("");
        else
            showChannel();
        return;
    }
    ++ChannelTick;
    if (adapter.QueryOid(adapter::OID_PRIV_BSSID, buf.data(), size) == 0) {
        std::uint8_t bssid[6];
        std::copy_n(buf.begin(), sizeof bssid, bssid);
        std::uint32_t written = 0;
        if (adapter.QueryOidWithLength(adapter::OID_PRIV_SSID, buf.data(), size, written) == 0) {
            // Twenty ticks a second: the same network still shown is not formatted again.
            std::string ssid = SsidOf(buf.data(), written);
            const bool same = !stationShown_.text.empty() &&
                              std::equal(bssid, bssid + sizeof bssid, stationShown_.bssid) &&
                              ssid == stationShown_.ssid;
            if (!same) {
                stationShown_.text = " " + ssid + ": " + MacText(bssid);
                std::copy_n(bssid, sizeof bssid, stationShown_.bssid);
                stationShown_.ssid = std::move(ssid);
            }
            const std::string& text = stationShown_.text;
            const bool twoLines = text.size() > kOneLineStationChars;
            lbConnectTo.SetTop(twoLines ? 19 : 24);
            StationState.SetTop(twoLines ? 14 : 24);
            StationState.SetHeight(twoLines ? 29 : 19);
            StationState.SetCaption(text);
        }
    }
    if (ChannelTick != 60) return;
    ChannelTick = 0;
    const std::string& shown = StationState.Caption();
    if (shown == kEncryptionNeededText || shown == kScanningText) return;
    // The driver settles on the joined channel's figures after a short wait.
    platform.loop.Sleep(100);
    showChannel();
}

void TForm1::SignalTimerTimer() {
    const std::string& shown = StationState.Caption();
    const bool up = shown != kScanningText && shown != kEncryptionNeededText;
    if (!up) {
        lbPercent.SetCaption("N/A");
        pbSignalStrenth.SetPosition(0);
    } else if (NetWorkType.Caption() == "Ad Hoc") {
        lbPercent.SetCaption("N/A");
        pbSignalStrenth.SetBarColor(kAdHocBarColor);
        pbSignalStrenth.SetPosition(100);
    } else {
        std::uint8_t buf[adapter::kQueryBufferSize] = {};
        if (adapter.QueryOid(adapter::OID_PRIV_SIGNAL_STRENGTH, buf, sizeof buf) != 0) return;
        const int p = std::min(SignalPercent(Le32(buf)), 100);
        char text[16];
        std::snprintf(text, sizeof text, "%2.0f%%", double(p));
        lbPercent.SetCaption(text);
        pbSignalStrenth.SetBarColor(kSignalBarColor);
        pbSignalStrenth.SetPosition(p);
    }
    pbSignalStrenth.Repaint();
}

}  // namespace app
