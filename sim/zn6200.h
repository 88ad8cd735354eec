// The simulated ZN6200 card with its miniport driver, behind the calls of the packet-access
// library: what velmora talks to in the native tests, and, inside the stand-in W32N50.dll,
// under Wine.
//
// Where the card is installed. The card finds its keys afresh on every call, by the running
// Windows:
//   NT 5 and later: the first instance under System\CurrentControlSet\Enum\PCI\VEN_1D5A&DEV_0620*
//     whose "Driver" is "{4D36E972-E325-11CE-BFC1-08002BE10318}\<n>"; its driver key is that
//     subkey of Control\Class\{4D36E972-...}; the NT device name is the driver key's
//     "NetCfgInstanceId", so the card opens as "\Device\" + that GUID text.
//   95 family: the same Enum instance (kept under System\CurrentControlSet\Enum, where the
//     simulated setup interface lists devices) with "Driver" "Net\<n>"; driver key
//     System\CurrentControlSet\Services\Class\Net\<n>; the card opens by the subkey name.
//   NT 4: the first subkey of Software\Microsoft\Windows NT\CurrentVersion\NetworkCards whose
//     "ServiceName" begins with "CV7720"; the device name is the ServiceName, and the driver
//     key, as for any NT 4 miniport, is SYSTEM\CurrentControlSet\Services\<ServiceName>\Parameters.
// GetAdapterRegistryInfo answers only for the card's own subkey: any other gives an empty name.
//
// The card's own state, HKLM\Software\VelmoraSim\Card, read on every call:
//   Present        num   1 in the slot (the default), 0 pulled
//   MAC            text  burnt-in address, "00-1D-5A-62-0A-01" when missing or unreadable
//   Domain         num   regulatory domain code (status record byte 220), 0x10 when missing
//   Medium         num   OID_GEN_MEDIA_IN_USE, 0 (802.3) when missing
//   StationAddress text  OID_802_3_CURRENT_ADDRESS; when missing the driver parameter
//                        NetworkAddress (12 hex digits, not multicast), else MAC
// Pulling the card (Present 0) ends every open handle, as unplugging does: requests on them
// fail from then on, also after the card is back. A card put back starts again, unless its device
// was disabled through the setup interface: then it waits for the enable.
//
// The driver. On every start (the setup interface's start notification, a card put back, or
// with Options::followRegistry any change of the parameters below) it reads its driver key:
// ssid, bssType ("2" ad hoc, else infrastructure), clist, NetBand (decimal bit set: 1 5 GHz,
// 2 turbo, 4 2.4 GHz; missing, unreadable or without those bits: 5), AdHocBand, privacyInvoked
// ("1" WEP on), defaultKey, key0..key3, keyLength0..3, CardCfgId, sleepMode, tpc,
// shortPreamble, NetworkAddress. Text or REG_DWORD both read. The default key ("0".."3" picks
// key0..key3) is deciphered once per start, as stored key text keyed with CardCfgId, to as many
// bytes as its keyLength says ("5", "13", "16"); any other defaultKey or length, or a key that
// does not decipher, leaves the station without a key. Power and preamble are kept (see
// TakenParameters) but do not change the radio. A start clears the counters and the scan list,
// ends open handles and begins a scan. With followRegistry a changed CardCfgId counts only while
// the default key has text, as it changes nothing else.
//
// Scanning: a pass lasts 2 s; the current channel moves through the band's channels
// (ScanChannels) one step every 2000 / count ms, kept within 50..100 ms. A network is heard once
// its channel has been visited since the start, and then stays in the scan list while it is in
// the radio environment (the list is cumulative, as a BSS table is). At the end of a pass the
// driver joins, when it has not: among the heard networks of the configured mode that the band
// reaches and whose privacy matches privacyInvoked (a network with privacy 1 or 2 needs "1", an
// open one "0"; a WEP network with a Key also needs the deciphered default key to equal it), the
// one named ssid, or with ssid "" any; the strongest wins, the first in driver
// order on a tie. With none found, an ad hoc station with an ssid starts its own cell (IBSS) on
// the clist channel ("b2437", "t5210", "36"; "" picks channel 6, 36 or turbo 42 by AdHocBand
// "0", "1", "2"), unless an ad hoc cell of that name is heard (whose privacy then did not match).
// A station that has not joined goes on scanning, pass after pass. OID_PRIV_START_SCAN starts a
// pass at once; a joined station stays joined through it. The joined network leaving the radio
// environment (or no longer matching) drops the link and starts a scan.
//
// Joined: connection state 1, the network's BSSID, SSID, privacy as the encryption byte, the
// highest of its rates for both directions (at most 11 on 2.4 GHz unless NetBand has bit 8), its
// signal (SignalAt) and channel. Its traffic rates make the counters grow, counted from the end
// of the pass that joined: frames in OID_GEN_XMIT_OK / OID_GEN_RCV_OK, bytes in the status
// record. The frame counters come back as 4 little-endian bytes while they fit, as 8 once they
// pass 2^32 (a buffer of 4 to 7 bytes then gets the low 4, as NDIS does). Its own cell: signal 0,
// no traffic. Not joined: state 0, zero BSSID, empty SSID (0 bytes written), rates and signal 0.
//
// Request rules (MakeNdisRequest): a closed or unknown handle gives ERROR_INVALID_HANDLE, a handle
// from before a pull or restart kNdisAdapterRemoved. A query writes at most bufferLength bytes
// and sets bytesWritten; a buffer too short for the answer gives kNdisBufferTooShort with
// bytesNeeded. The scan list is cut to the whole 72-byte records that fit (success, bytesWritten
// records * 72). A set of OID_GEN_CURRENT_PACKET_FILTER needs 4 bytes (kNdisInvalidLength and
// bytesNeeded 4 else); OID_PRIV_START_SCAN takes any data or none. A query of a set-only OID, or a
// set of a query-only one, gives kNdisNotSupported; an OID outside the table kNdisInvalidOid.
// A null buffer counts as length 0. The call always completes before it returns (wait and the
// overlapped record are not used). Every failure status has a non-zero low byte, the part the
// program tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapter/oids.h"
#include "platform/packet.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "sim/radio.h"
#include "sim/recent.h"

namespace sim {

inline constexpr std::string_view kCardKey = "Software\\VelmoraSim\\Card";
inline constexpr MacAddress kDefaultCardMac{0x00, 0x1D, 0x5A, 0x62, 0x0A, 0x01};

// The identifiers on the wire, named as the program names them.
namespace oid {
inline constexpr std::uint32_t kGenMediaInUse = adapter::OID_GEN_MEDIA_IN_USE;
inline constexpr std::uint32_t kGenCurrentPacketFilter = adapter::OID_GEN_CURRENT_PACKET_FILTER;
inline constexpr std::uint32_t k8023CurrentAddress = adapter::OID_802_3_CURRENT_ADDRESS;
inline constexpr std::uint32_t kGenXmitOk = adapter::OID_GEN_XMIT_OK;
inline constexpr std::uint32_t kGenRcvOk = adapter::OID_GEN_RCV_OK;
inline constexpr std::uint32_t kSignalStrength = adapter::OID_PRIV_SIGNAL_STRENGTH;
inline constexpr std::uint32_t kTxRate = adapter::OID_PRIV_TX_RATE;
inline constexpr std::uint32_t kRxRate = adapter::OID_PRIV_RX_RATE;
inline constexpr std::uint32_t kCurrentChannel = adapter::OID_PRIV_CURRENT_CHANNEL;
inline constexpr std::uint32_t kConnectionState = adapter::OID_PRIV_CONNECTION_STATE;
inline constexpr std::uint32_t kBssid = adapter::OID_PRIV_BSSID;
inline constexpr std::uint32_t kSsid = adapter::OID_PRIV_SSID;
inline constexpr std::uint32_t kBssList = adapter::OID_PRIV_BSS_LIST;
inline constexpr std::uint32_t kEncryption = adapter::OID_PRIV_ENCRYPTION;
inline constexpr std::uint32_t kNetworkMode = adapter::OID_PRIV_NETWORK_MODE;
inline constexpr std::uint32_t kDeviceStatus = adapter::OID_PRIV_DEVICE_STATUS;
inline constexpr std::uint32_t kMacAddress = adapter::OID_PRIV_MAC_ADDRESS;
inline constexpr std::uint32_t kStartScan = adapter::OID_PRIV_START_SCAN;
}  // namespace oid

// Request results other than 0.
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kNdisFailure = 0xC0000001;
inline constexpr std::uint32_t kNdisNotSupported = 0xC00000BB;
inline constexpr std::uint32_t kNdisInvalidLength = 0xC0010014;
inline constexpr std::uint32_t kNdisBufferTooShort = 0xC0010016;
inline constexpr std::uint32_t kNdisInvalidOid = 0xC0010017;
inline constexpr std::uint32_t kNdisAdapterRemoved = 0xC0010018;

inline constexpr std::size_t kDeviceStatusSize = 256;
inline constexpr std::uint64_t kScanPassMs = 2000;
inline constexpr std::size_t kRequestLogSize = 256;

// The driver parameters as read from the driver key (text; a REG_DWORD reads as its decimal
// text, a missing value as "").
struct DriverParameters {
    std::string ssid, bssType, clist, netBand, adHocBand, privacyInvoked, defaultKey;
    std::string keys[4], keyLengths[4];
    std::string sleepMode, tpc, shortPreamble, networkAddress, cardCfgId;
    bool operator==(const DriverParameters&) const = default;

    bool AdHoc() const { return bssType == "2"; }
    bool Privacy() const { return privacyInvoked == "1"; }
    // The default key as upper-case hex, deciphered; "" when there is none.
    std::string DefaultKeyHex() const;
    std::uint32_t Band() const;  // NetBand bits; 5 when missing or unreadable
};

struct Zn6200Options {
    // Take up changed driver parameters at the next call, as a restart would: for the stand-in,
    // since Wine cannot restart a device.
    bool followRegistry = false;
    // When set, the radio environment is read again only once this gives a new value (the
    // simulated registry's write count; for the stand-in, the second of real time); unset, on
    // every request.
    std::function<std::uint64_t()> radioStamp;
    // Likewise for followRegistry's look at the driver parameters (with the same Windows).
    std::function<std::uint64_t()> parameterStamp;
    // Likewise for the card's own key (presence, addresses, domain): for the stand-in, a count of
    // the key's change notifications.
    std::function<std::uint64_t()> cardStamp;
};

class Zn6200 final : public plat::PacketAccess {
  public:
    using Clock = std::function<std::uint64_t()>;
    using OsSource = std::function<plat::OsVersion()>;
    using Options = Zn6200Options;

    Zn6200(plat::Registry& hklm, Clock nowMs, OsSource os, Options options = {});
    Zn6200(plat::Registry& hklm, Clock nowMs, plat::System& system, Options options = {});
    ~Zn6200() override;
    Zn6200(const Zn6200&) = delete;
    Zn6200& operator=(const Zn6200&) = delete;

    // The library's calls.
    bool IsWindowsNT() override;
    bool IsWindows95() override;
    // 1 the platform id (2 NT, 1 95 family), 2 the major version, 3 the minor; else 0.
    std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override;
    bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) override;
    // Fails with error 2 unless the name is the card's and the card is present and started.
    plat::AdapterHandle OpenAdapter(const char* name) override;
    std::uint32_t GetLastError() override { return lastError_; }
    std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                  void* overlapped, int wait) override;
    // Needs a live handle and whole 8-byte instructions.
    bool SetBPFProgram(plat::AdapterHandle h, const void* program, std::uint32_t length) override;
    bool CancelPacketRead(plat::AdapterHandle h, void* read) override;
    // Forgets the handle (live or ended); false for one it never gave or already closed.
    bool CloseAdapter(plat::AdapterHandle h) override;

    // The device as the setup interface starts and stops it.
    void DeviceStarted();
    void DeviceStopped();
    // For SetupApi::Subscribe: follows the notifications for this card's Enum instance. Safe to
    // keep after the card is gone (it then does nothing).
    std::function<void(const std::string& instanceId, bool started)> DeviceObserver();
    // The card's Enum instance below System\CurrentControlSet\Enum ("" on NT 4 or when not
    // installed) and its driver key ("" when not installed), for the running Windows.
    std::string EnumInstanceId();
    std::string DriverKeyPath();

    // The slot: writes Present, then tells the hook (InstallZn6200 tells the setup interface).
    void Pull();
    void Insert();
    bool Present();
    void OnPresenceChange(std::function<void(bool present)> hook);
    // The next n requests are answered, then the card is pulled: the one after fails.
    void PullAfterRequests(std::uint32_t n);

    // Failure injection: every request for the OID fails with status until cleared.
    void FailOid(std::uint32_t oid, std::uint32_t status = kNdisFailure);
    void ClearOidFailures();
    // The next `count` opens fail with `error` whatever the name (e.g. 1058, service disabled).
    void FailNextOpens(std::uint32_t count, std::uint32_t error);

    // The card's registry state (Card key).
    void SetMacAddress(const MacAddress& mac);
    void SetDomain(std::uint32_t domain);
    void SetMedium(std::uint32_t medium);
    // nullopt: back to NetworkAddress or MAC.
    void SetStationAddress(const std::optional<MacAddress>& address);

    // What the driver is doing (brought up to the clock's time first).
    bool Started();
    bool Scanning();
    std::optional<RadioNetwork> Joined();
    bool OwnCell();
    std::optional<Channel> CurrentChannel();
    const DriverParameters& TakenParameters() const { return params_; }
    // The default key the driver took up at its last start, as hex; "" none.
    const std::string& TakenKey() const { return wepKey_; }
    std::uint32_t Starts() const { return starts_; }
    // Times the radio environment was read from the registry.
    std::uint64_t RadioReads() const { return radioReads_; }
    std::uint64_t CardReads() const { return cardReads_; }
    std::uint32_t PacketFilter() const { return packetFilter_; }
    const std::vector<std::uint8_t>& BpfProgram() const { return bpf_; }
    std::size_t OpenHandles() const { return handles_.size(); }
    struct Request {
        std::uint32_t type = 0, oid = 0, length = 0, status = 0;
        bool operator==(const Request&) const = default;
    };
    // The latest requests (up to kRequestLogSize), oldest first.
    const Recent<Request>& Requests() const { return requests_; }
    void ClearRequests() { requests_.clear(); }

  private:
    struct Location {
        std::string classKey, subkey, deviceName, enumId, driverKey;
    };
    struct CardState {
        bool present = true;
        MacAddress mac = kDefaultCardMac;
        std::uint32_t domain = 0x10;
        std::uint32_t medium = 0;
        std::optional<MacAddress> stationAddress;
    };
    struct Link {
        RadioNetwork net;
        bool own = false;
    };
    struct Counter {
        std::uint64_t milli = 0;  // thousandths, so slow rates still add up
        std::uint64_t Value() const { return milli / 1000; }
    };

    bool Nt() { return os_().family == plat::OsFamily::NT; }
    Location Locate();
    // The card's key, read again only when Options::cardStamp says it may have changed.
    CardState ReadCard();
    DriverParameters ReadParameters();
    void WriteCard(std::string_view name, const plat::RegValue& value);
    // The radio environment, read again only when Options::radioStamp says it may have changed.
    const std::vector<RadioNetwork>& Radio();
    // Whether the driver key now differs from what the last start took up.
    bool ParametersChanged();
    // Brings the card up to now: presence, followed parameters, scan, link, counters.
    CardState Sync();
    void Start(std::uint64_t now);
    void Stop();
    void Advance(std::uint64_t now, const CardState& card);
    void Hear(const std::vector<RadioNetwork>& env, const std::vector<Channel>& channels,
              std::size_t visited);
    bool Joinable(const RadioNetwork& net, const std::vector<Channel>& channels) const;
    bool KeyFits(const RadioNetwork& net) const;
    void TryJoin(const std::vector<RadioNetwork>& env, const std::vector<Channel>& channels,
                 std::uint64_t at, const CardState& card);
    void AddTraffic(const RadioNetwork& net, std::uint64_t ms);
    std::uint8_t LinkRate() const;
    MacAddress StationAddress(const CardState& card) const;
    bool Live(plat::AdapterHandle h) const;
    std::uint32_t Answer(plat::NdisRequestBlock& r, std::uint8_t* buffer, std::uint32_t length,
                         const CardState& card, std::uint64_t now);
    std::uint32_t Query(plat::NdisRequestBlock& r, std::uint8_t* buffer, std::uint32_t length,
                        const CardState& card, std::uint64_t now);
    std::uint32_t Set(plat::NdisRequestBlock& r, std::uint32_t length, const std::uint8_t* data,
                      std::uint64_t now);

    plat::Registry& reg_;
    Clock now_;
    OsSource os_;
    Options options_;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    std::function<void(bool)> presenceHook_;

    std::uint32_t lastError_ = 0;
    std::uintptr_t nextHandle_ = 0x5A620000;
    std::map<plat::AdapterHandle, std::uint64_t> handles_;  // handle -> epoch it was opened in
    std::uint64_t epoch_ = 0;
    std::uint32_t failOpens_ = 0, failOpenError_ = 0;
    std::map<std::uint32_t, std::uint32_t> failOids_;
    std::optional<std::uint32_t> pullAfter_;
    Recent<Request> requests_{kRequestLogSize};

    bool lastPresent_ = false;
    bool started_ = false;
    bool heldStopped_ = false;  // disabled through the setup interface until it enables again
    std::uint32_t starts_ = 0;
    DriverParameters params_;
    std::string wepKey_;  // params_.DefaultKeyHex(), worked out once per start
    std::uint32_t packetFilter_ = 0;
    std::vector<std::uint8_t> bpf_;
    std::optional<std::uint64_t> scanStart_;
    std::vector<Channel> channels_;  // of the band and domain at the last look
    std::set<MacAddress> heard_;
    std::optional<Link> link_;
    std::uint64_t lastAdvance_ = 0;
    std::vector<RadioNetwork> radio_;
    std::optional<std::uint64_t> radioStamp_;  // of radio_; nullopt: read it again
    std::uint64_t radioReads_ = 0;
    CardState card_;
    std::optional<std::uint64_t> cardStamp_;  // of card_; nullopt: read it again
    std::uint64_t cardReads_ = 0;
    // Registry and Windows at the last look at the parameters; nullopt: look again.
    std::optional<std::pair<std::uint64_t, plat::OsVersion>> parametersSeen_;
    Counter txFrames_, rxFrames_, txBytes_, rxBytes_;
};

}  // namespace sim
