#include "sim/zn6200.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

#include "config/schema.h"
#include "config/stored_key.h"
#include "platform/devices.h"
#include "platform/services.h"

namespace sim {

namespace {

constexpr std::string_view kNt5ClassKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr std::string_view kNt4CardsKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
constexpr std::string_view kWin95ClassKey = "System\\CurrentControlSet\\Services\\Class\\Net";
constexpr std::string_view kEnumPci = "System\\CurrentControlSet\\Enum\\PCI";
constexpr std::string_view kDevicePrefix = "VEN_1D5A&DEV_0620";
constexpr std::string_view kServicePrefix = "CV7720";

bool StartsWithName(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && plat::SameName(text.substr(0, prefix.size()), prefix);
}

std::optional<std::uint32_t> Decimal(std::string_view text) {
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return v;
}

// A driver parameter as text: REG_DWORD as its decimal text, anything unreadable as "".
std::string ParameterText(const plat::RegKey* key, std::string_view name) {
    if (!key) return {};
    auto v = key->Get(name);
    if (!v) return {};
    if (v->type == plat::RegType::Dword) {
        auto n = plat::ReadDword(*key, name);
        return n ? std::to_string(*n) : std::string{};
    }
    return plat::ReadString(*key, name).value_or("");
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void Put64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> Le32(std::uint32_t v) {
    std::vector<std::uint8_t> out(4);
    Put32(out.data(), v);
    return out;
}

std::uint64_t Dwell(std::size_t channels) {
    if (channels == 0) return 100;
    return std::clamp<std::uint64_t>(kScanPassMs / channels, 50, 100);
}

bool IsQueryOid(std::uint32_t oid) {
    switch (oid) {
        case oid::kGenMediaInUse:
        case oid::kGenCurrentPacketFilter:
        case oid::k8023CurrentAddress:
        case oid::kGenXmitOk:
        case oid::kGenRcvOk:
        case oid::kSignalStrength:
        case oid::kTxRate:
        case oid::kRxRate:
        case oid::kCurrentChannel:
        case oid::kConnectionState:
        case oid::kBssid:
        case oid::kSsid:
        case oid::kBssList:
        case oid::kEncryption:
        case oid::kNetworkMode:
        case oid::kDeviceStatus:
        case oid::kMacAddress:
            return true;
        default:
            return false;
    }
}

std::string Upper(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// defaultKey "0".."3" picks key0..key3; anything else no key.
std::optional<std::size_t> KeyIndex(std::string_view defaultKey) {
    if (defaultKey.size() != 1 || defaultKey[0] < '0' || defaultKey[0] > '3') return std::nullopt;
    return static_cast<std::size_t>(defaultKey[0] - '0');
}

// Whether a fresh read of the parameters differs from the taken ones in a way the driver would
// act on: CardCfgId only matters while there is a default key to decipher with it. (Without one
// now, a taken key makes the key values differ anyway.)
bool Differs(DriverParameters fresh, const DriverParameters& taken) {
    auto index = KeyIndex(fresh.defaultKey);
    if (!index || fresh.keys[*index].empty()) fresh.cardCfgId = taken.cardCfgId;
    return fresh != taken;
}

}  // namespace

std::uint32_t DriverParameters::Band() const {
    return Decimal(netBand).value_or(5);
}

std::string DriverParameters::DefaultKeyHex() const {
    auto i = KeyIndex(defaultKey);
    auto bits = i ? config::BitsOfLengthText(keyLengths[*i]) : std::nullopt;
    if (!bits) return {};
    return config::DecodeStoredKey(keys[*i], cardCfgId, *bits / 8);
}

Zn6200::Zn6200(plat::Registry& hklm, Clock nowMs, OsSource os, Options options)
    : reg_(hklm), now_(std::move(nowMs)), os_(std::move(os)), options_(std::move(options)) {
    lastPresent_ = ReadCard().present;
    if (lastPresent_) Start(now_());
}

Zn6200::Zn6200(plat::Registry& hklm, Clock nowMs, plat::System& system, Options options)
    : Zn6200(
          hklm, std::move(nowMs), [&system] { return system.Version(); }, options) {}

Zn6200::~Zn6200() = default;

// --- the library's calls ---

bool Zn6200::IsWindowsNT() {
    return Nt();
}

bool Zn6200::IsWindows95() {
    return os_().family == plat::OsFamily::Win95;
}

std::uint32_t Zn6200::OSGetPlatformVersion(std::uint32_t selector) {
    auto v = os_();
    switch (selector) {
        case 1:
            return v.family == plat::OsFamily::NT ? 2 : 1;
        case 2:
            return v.major;
        case 3:
            return v.minor;
        default:
            return 0;
    }
}

bool Zn6200::GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) {
    if (!record) return false;
    std::memset(record, 0, plat::kAdapterRegistryRecordSize);
    if (!subkeyName) return false;
    Location loc = Locate();
    if (loc.subkey.empty() || loc.deviceName.empty() || !plat::SameName(subkeyName, loc.subkey))
        return false;
    std::size_t room =
        plat::kAdapterRegistryRecordSize - plat::kAdapterRegistryDeviceNameOffset - 1;
    std::memcpy(record + plat::kAdapterRegistryDeviceNameOffset, loc.deviceName.data(),
                std::min(room, loc.deviceName.size()));
    return true;
}

plat::AdapterHandle Zn6200::OpenAdapter(const char* name) {
    if (failOpens_ > 0) {
        --failOpens_;
        lastError_ = failOpenError_;
        return plat::kNoAdapter;
    }
    if (!name) {
        lastError_ = kErrorInvalidParameter;
        return plat::kNoAdapter;
    }
    Sync();
    Location loc = Locate();
    std::string expected = Nt() ? "\\Device\\" + loc.deviceName : loc.subkey;
    if (loc.deviceName.empty() || !plat::SameName(name, expected) || !started_) {
        lastError_ = 2;  // ERROR_FILE_NOT_FOUND: no such device object
        return plat::kNoAdapter;
    }
    auto h = reinterpret_cast<plat::AdapterHandle>(nextHandle_);
    nextHandle_ += 4;
    handles_[h] = epoch_;
    lastError_ = 0;
    return h;
}

std::uint32_t Zn6200::MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request, void*,
                                      int) {
    if (!request) return kErrorInvalidParameter;
    request->bytesWritten = 0;
    request->bytesNeeded = 0;
    std::uint32_t status = 0;
    if (!handles_.count(h)) {
        status = kErrorInvalidHandle;
    } else {
        if (pullAfter_) {
            if (*pullAfter_ == 0) {
                pullAfter_.reset();
                Pull();
            } else {
                --*pullAfter_;
            }
        }
        CardState card = Sync();
        if (!Live(h)) {
            status = kNdisAdapterRemoved;
        } else if (auto f = failOids_.find(request->oid); f != failOids_.end()) {
            status = f->second;
        } else {
            auto* buffer = static_cast<std::uint8_t*>(request->buffer);
            status =
                Answer(*request, buffer, buffer ? request->bufferLength : 0, card, lastAdvance_);
        }
    }
    requests_.push_back({request->requestType, request->oid, request->bufferLength, status});
    return status;
}

bool Zn6200::SetBPFProgram(plat::AdapterHandle h, const void* program, std::uint32_t length) {
    Sync();
    if (!Live(h) || !program || length == 0 || length % 8 != 0) return false;
    const auto* p = static_cast<const std::uint8_t*>(program);
    bpf_.assign(p, p + length);
    return true;
}

bool Zn6200::CancelPacketRead(plat::AdapterHandle h, void*) {
    Sync();
    return Live(h);  // nothing is ever pending
}

bool Zn6200::CloseAdapter(plat::AdapterHandle h) {
    return handles_.erase(h) > 0;
}

// --- device and slot ---

void Zn6200::DeviceStarted() {
    heldStopped_ = false;
    if (started_) return;
    lastPresent_ = ReadCard().present;
    if (lastPresent_) Start(now_());
}

void Zn6200::DeviceStopped() {
    // Stopped while in the slot: the device was disabled, and a card put back stays stopped.
    if (lastPresent_) heldStopped_ = true;
    if (started_) Stop();
}

std::function<void(const std::string&, bool)> Zn6200::DeviceObserver() {
    return [alive = std::weak_ptr<char>(alive_), self = this](const std::string& id, bool started) {
        if (alive.expired()) return;
        std::string mine = self->EnumInstanceId();
        if (mine.empty() || !plat::SameName(id, mine)) return;
        if (started)
            self->DeviceStarted();
        else
            self->DeviceStopped();
    };
}

std::string Zn6200::EnumInstanceId() {
    return Locate().enumId;
}

std::string Zn6200::DriverKeyPath() {
    return Locate().driverKey;
}

void Zn6200::Pull() {
    WriteCard("Present", plat::DwordValue(0));
    Sync();
    if (presenceHook_) presenceHook_(false);
}

void Zn6200::Insert() {
    WriteCard("Present", plat::DwordValue(1));
    Sync();
    if (presenceHook_) presenceHook_(true);
}

bool Zn6200::Present() {
    return ReadCard().present;
}

void Zn6200::OnPresenceChange(std::function<void(bool)> hook) {
    presenceHook_ = std::move(hook);
}

void Zn6200::PullAfterRequests(std::uint32_t n) {
    pullAfter_ = n;
}

void Zn6200::FailOid(std::uint32_t oid, std::uint32_t status) {
    failOids_[oid] = status;
}

void Zn6200::ClearOidFailures() {
    failOids_.clear();
}

void Zn6200::FailNextOpens(std::uint32_t count, std::uint32_t error) {
    failOpens_ = count;
    failOpenError_ = error;
}

void Zn6200::SetMacAddress(const MacAddress& mac) {
    WriteCard("MAC", plat::StringValue(FormatMac(mac)));
}

void Zn6200::SetDomain(std::uint32_t domain) {
    WriteCard("Domain", plat::DwordValue(domain));
}

void Zn6200::SetMedium(std::uint32_t medium) {
    WriteCard("Medium", plat::DwordValue(medium));
}

void Zn6200::SetStationAddress(const std::optional<MacAddress>& address) {
    if (address) {
        WriteCard("StationAddress", plat::StringValue(FormatMac(*address)));
    } else if (auto key = reg_.Open(kCardKey)) {
        cardStamp_.reset();
        key->DeleteValue("StationAddress");
    }
}

bool Zn6200::Started() {
    Sync();
    return started_;
}

bool Zn6200::Scanning() {
    Sync();
    return started_ && scanStart_.has_value();
}

std::optional<RadioNetwork> Zn6200::Joined() {
    Sync();
    if (!link_) return std::nullopt;
    return link_->net;
}

bool Zn6200::OwnCell() {
    Sync();
    return link_ && link_->own;
}

std::optional<Channel> Zn6200::CurrentChannel() {
    Sync();
    if (!started_) return std::nullopt;
    if (link_) return Channel{link_->net.frequency, link_->net.channelFlags};
    if (!scanStart_ || channels_.empty()) return Channel{};
    std::uint64_t step = (lastAdvance_ - *scanStart_) / Dwell(channels_.size());
    return channels_[step % channels_.size()];
}

// --- inside ---

Zn6200::Location Zn6200::Locate() {
    Location loc;
    auto os = os_();
    bool nt = os.family == plat::OsFamily::NT;
    if (nt && os.major < 5) {
        loc.classKey = kNt4CardsKey;
        auto root = reg_.Open(loc.classKey);
        if (!root) return loc;
        for (const auto& name : root->SubKeyNames()) {
            auto key = reg_.Open(plat::JoinPath(loc.classKey, name));
            if (!key) continue;
            auto service = plat::ReadString(*key, "ServiceName").value_or("");
            if (!StartsWithName(service, kServicePrefix)) continue;
            loc.subkey = name;
            loc.deviceName = service;
            loc.driverKey = plat::ServiceParametersPath(service);
            break;
        }
        return loc;
    }
    loc.classKey = nt ? kNt5ClassKey : kWin95ClassKey;
    auto pci = reg_.Open(kEnumPci);
    if (!pci) return loc;
    for (const auto& device : pci->SubKeyNames()) {
        if (!StartsWithName(device, kDevicePrefix)) continue;
        std::string devicePath = plat::JoinPath(kEnumPci, device);
        auto deviceKey = reg_.Open(devicePath);
        if (!deviceKey) continue;
        for (const auto& instance : deviceKey->SubKeyNames()) {
            auto key = reg_.Open(plat::JoinPath(devicePath, instance));
            if (!key) continue;
            auto driver = plat::ReadString(*key, "Driver").value_or("");
            auto cut = driver.find('\\');
            if (cut == std::string::npos) continue;
            loc.enumId = "PCI\\" + device + "\\" + instance;
            std::string cls = driver.substr(0, cut), sub = driver.substr(cut + 1);
            if (!plat::SameName(cls, nt ? plat::kNetClassGuid : std::string_view("Net")))
                return loc;
            auto driverKey = plat::SplitKeyPath(sub) && sub.find('\\') == std::string::npos
                                 ? reg_.Open(plat::JoinPath(loc.classKey, sub))
                                 : nullptr;
            if (!driverKey) return loc;
            loc.subkey = sub;
            loc.driverKey = plat::JoinPath(loc.classKey, sub);
            loc.deviceName =
                nt ? plat::ReadString(*driverKey, "NetCfgInstanceId").value_or("") : sub;
            return loc;
        }
    }
    return loc;
}

Zn6200::CardState Zn6200::ReadCard() {
    std::optional<std::uint64_t> stamp;
    if (options_.cardStamp) stamp = options_.cardStamp();
    if (stamp && stamp == cardStamp_) return card_;
    cardStamp_ = stamp;
    ++cardReads_;
    CardState& card = card_;
    card = CardState{};
    auto key = reg_.Open(kCardKey);
    if (!key) return card;
    card.present = ReadNumber(*key, "Present").value_or(1) != 0;
    if (auto mac = ParseMac(plat::ReadString(*key, "MAC").value_or(""))) card.mac = *mac;
    card.domain = ReadNumber(*key, "Domain").value_or(card.domain);
    card.medium = ReadNumber(*key, "Medium").value_or(card.medium);
    card.stationAddress = ParseMac(plat::ReadString(*key, "StationAddress").value_or(""));
    return card;
}

DriverParameters Zn6200::ReadParameters() {
    DriverParameters p;
    std::string path = DriverKeyPath();
    auto key = path.empty() ? nullptr : reg_.Open(path);
    const plat::RegKey* k = key.get();
    p.ssid = ParameterText(k, "ssid").substr(0, 32);
    p.bssType = ParameterText(k, "bssType");
    p.clist = ParameterText(k, "clist");
    p.netBand = ParameterText(k, "NetBand");
    p.adHocBand = ParameterText(k, "AdHocBand");
    p.privacyInvoked = ParameterText(k, "privacyInvoked");
    p.defaultKey = ParameterText(k, "defaultKey");
    for (int i = 0; i < 4; ++i) {
        p.keys[i] = ParameterText(k, "key" + std::to_string(i));
        p.keyLengths[i] = ParameterText(k, "keyLength" + std::to_string(i));
    }
    p.sleepMode = ParameterText(k, "sleepMode");
    p.tpc = ParameterText(k, "tpc");
    p.shortPreamble = ParameterText(k, "shortPreamble");
    p.networkAddress = ParameterText(k, "NetworkAddress");
    p.cardCfgId = ParameterText(k, "CardCfgId");
    return p;
}

void Zn6200::WriteCard(std::string_view name, const plat::RegValue& value) {
    cardStamp_.reset();
    if (auto key = reg_.Create(kCardKey)) key->Set(name, value.type, value.data);
}

const std::vector<RadioNetwork>& Zn6200::Radio() {
    std::optional<std::uint64_t> stamp;
    if (options_.radioStamp) stamp = options_.radioStamp();
    if (!stamp || stamp != radioStamp_) {
        radio_ = ReadRadioNetworks(reg_);
        radioStamp_ = stamp;
        ++radioReads_;
    }
    return radio_;
}

bool Zn6200::ParametersChanged() {
    std::optional<std::pair<std::uint64_t, plat::OsVersion>> seen;
    if (options_.parameterStamp) seen.emplace(options_.parameterStamp(), os_());
    // A start takes up the same registry, so an unchanged one still matches what it took.
    if (seen && seen == parametersSeen_) return false;
    parametersSeen_ = seen;
    return Differs(ReadParameters(), params_);
}

Zn6200::CardState Zn6200::Sync() {
    std::uint64_t now = now_();
    CardState card = ReadCard();
    if (!card.present) {
        if (started_) Stop();
        lastPresent_ = false;
        return card;
    }
    if (!lastPresent_) {
        lastPresent_ = true;
        if (!heldStopped_) Start(now);
    } else if (started_ && options_.followRegistry && ParametersChanged()) {
        Start(now);
    }
    if (started_) Advance(now, card);
    return card;
}

void Zn6200::Start(std::uint64_t now) {
    if (started_) Stop();
    started_ = true;
    ++starts_;
    ++epoch_;
    params_ = ReadParameters();
    wepKey_ = params_.DefaultKeyHex();
    packetFilter_ = 0;
    bpf_.clear();
    heard_.clear();
    link_.reset();
    channels_.clear();
    txFrames_ = rxFrames_ = txBytes_ = rxBytes_ = Counter{};
    scanStart_ = now;
    lastAdvance_ = now;
}

void Zn6200::Stop() {
    started_ = false;
    ++epoch_;  // every open handle ends here
    link_.reset();
    scanStart_.reset();
}

void Zn6200::Advance(std::uint64_t now, const CardState& card) {
    const auto& env = Radio();
    channels_ = ScanChannels(params_.Band(), card.domain);
    now = std::max(now, lastAdvance_);  // the clock only moves on
    if (link_ && !link_->own) AddTraffic(link_->net, now - lastAdvance_);
    lastAdvance_ = now;

    if (link_ && !link_->own) {
        auto it = std::find_if(env.begin(), env.end(),
                               [&](const RadioNetwork& n) { return n.bssid == link_->net.bssid; });
        if (it == env.end() || !Joinable(*it, channels_)) {
            link_.reset();
            scanStart_ = now;
        } else {
            link_->net = *it;
        }
    }
    if (!scanStart_) return;
    std::uint64_t elapsed = now - *scanStart_;
    if (elapsed < kScanPassMs) {
        Hear(env, channels_,
             std::min<std::uint64_t>(channels_.size(), elapsed / Dwell(channels_.size()) + 1));
        return;
    }
    Hear(env, channels_, channels_.size());
    if (link_) {  // a scan asked for while joined
        scanStart_.reset();
        return;
    }
    std::uint64_t end = *scanStart_ + kScanPassMs;
    TryJoin(env, channels_, end, card);
    if (link_) {
        scanStart_.reset();
        if (!link_->own) AddTraffic(link_->net, now - end);
    } else {
        *scanStart_ += elapsed / kScanPassMs * kScanPassMs;
    }
}

void Zn6200::Hear(const std::vector<RadioNetwork>& env, const std::vector<Channel>& channels,
                  std::size_t visited) {
    std::vector<Channel> done(
        channels.begin(),
        channels.begin() + static_cast<std::ptrdiff_t>(std::min(visited, channels.size())));
    for (const auto& n : env)
        if (Audible(n, done)) heard_.insert(n.bssid);
}

bool Zn6200::Joinable(const RadioNetwork& net, const std::vector<Channel>& channels) const {
    return Audible(net, channels) && net.adHoc == params_.AdHoc() &&
           (net.privacy != 0) == params_.Privacy() && KeyFits(net) &&
           (params_.ssid.empty() || net.ssid == params_.ssid);
}

bool Zn6200::KeyFits(const RadioNetwork& net) const {
    if (net.privacy != 1 || net.key.empty()) return true;
    return !wepKey_.empty() && wepKey_ == Upper(net.key);
}

void Zn6200::TryJoin(const std::vector<RadioNetwork>& env, const std::vector<Channel>& channels,
                     std::uint64_t at, const CardState& card) {
    const RadioNetwork* best = nullptr;
    std::uint32_t bestSignal = 0;
    for (const auto& n : env) {
        if (!heard_.count(n.bssid) || !Joinable(n, channels)) continue;
        std::uint32_t s = SignalAt(n, at);
        if (!best || s > bestSignal) {
            best = &n;
            bestSignal = s;
        }
    }
    if (best) {
        link_ = Link{*best, false};
        return;
    }
    if (!params_.AdHoc() || params_.ssid.empty()) return;
    for (const auto& n : env)
        if (heard_.count(n.bssid) && n.adHoc && n.ssid == params_.ssid && Audible(n, channels))
            return;

    // Our own cell, named by a locally administered form of the card's address.
    RadioNetwork cell;
    cell.bssid = card.mac;
    cell.bssid[0] = static_cast<std::uint8_t>((cell.bssid[0] | 0x02) & ~0x01);
    cell.ssid = params_.ssid;
    cell.adHoc = true;
    cell.privacy = params_.Privacy() ? 1 : 0;
    const std::string& t = params_.clist;
    Channel ch;
    std::string_view rest = t.empty() ? std::string_view{} : std::string_view(t).substr(1);
    if (!t.empty() && (t[0] == 'b' || t[0] == 'B') && Decimal(rest) && *Decimal(rest) >= 2400 &&
        *Decimal(rest) < 2500) {
        ch = {static_cast<std::uint16_t>(*Decimal(rest)), 0};
    } else if (!t.empty() && (t[0] == 't' || t[0] == 'T') && Decimal(rest) &&
               *Decimal(rest) > 5000 && *Decimal(rest) < 6000) {
        ch = {static_cast<std::uint16_t>(*Decimal(rest)), kChannelTurbo};
    } else if (auto n = Decimal(t); n && *n > 0 && *n < 200) {
        ch = {static_cast<std::uint16_t>(5000 + 5 * *n), 0};
    } else if (params_.adHocBand == "1") {
        ch = {5180, 0};
    } else if (params_.adHocBand == "2") {
        ch = {5210, kChannelTurbo};
    } else {
        ch = {2437, 0};
    }
    cell.frequency = ch.frequency;
    cell.channelFlags = ch.flags;
    cell.rates = ch.frequency > 5000 ? std::vector<std::uint8_t>{6, 12, 24, 36, 48, 54}
                                     : std::vector<std::uint8_t>{1, 2, 5, 11};
    link_ = Link{cell, true};
}

void Zn6200::AddTraffic(const RadioNetwork& net, std::uint64_t ms) {
    txFrames_.milli += std::uint64_t{net.txFramesPerSec} * ms;
    rxFrames_.milli += std::uint64_t{net.rxFramesPerSec} * ms;
    txBytes_.milli += std::uint64_t{net.txBytesPerSec} * ms;
    rxBytes_.milli += std::uint64_t{net.rxBytesPerSec} * ms;
}

std::uint8_t Zn6200::LinkRate() const {
    if (!link_ || link_->net.rates.empty()) return 0;
    const auto& rates = link_->net.rates;
    // An 802.11b radio runs at most at 11 Mbps on 2.4 GHz unless told to use 802.11g.
    bool capped = link_->net.frequency <= 5000 && !(params_.Band() & 8u);
    std::uint8_t best = 0;
    for (auto r : rates)
        if ((!capped || r <= 11) && r > best) best = r;
    return best ? best : *std::min_element(rates.begin(), rates.end());
}

MacAddress Zn6200::StationAddress(const CardState& card) const {
    if (card.stationAddress) return *card.stationAddress;
    const std::string& na = params_.networkAddress;
    if (na.size() == 12) {
        auto mac = ParseMac(na);
        bool zero = mac && std::all_of(mac->begin(), mac->end(), [](auto b) { return b == 0; });
        if (mac && !((*mac)[0] & 0x01) && !zero) return *mac;
    }
    return card.mac;
}

bool Zn6200::Live(plat::AdapterHandle h) const {
    auto it = handles_.find(h);
    return started_ && it != handles_.end() && it->second == epoch_;
}

std::uint32_t Zn6200::Answer(plat::NdisRequestBlock& r, std::uint8_t* buffer, std::uint32_t length,
                             const CardState& card, std::uint64_t now) {
    switch (r.requestType) {
        case 0:
            return Query(r, buffer, length, card, now);
        case 1:
            return Set(r, length, buffer, now);
        default:
            return kNdisNotSupported;
    }
}

std::uint32_t Zn6200::Query(plat::NdisRequestBlock& r, std::uint8_t* buffer, std::uint32_t length,
                            const CardState& card, std::uint64_t now) {
    std::vector<std::uint8_t> data;
    auto mac = [&data](const MacAddress& m) { data.assign(m.begin(), m.end()); };
    bool joined = link_.has_value();
    switch (r.oid) {
        case oid::kGenMediaInUse:
            data = Le32(card.medium);
            break;
        case oid::kGenCurrentPacketFilter:
            data = Le32(packetFilter_);
            break;
        case oid::k8023CurrentAddress:
            mac(StationAddress(card));
            break;
        case oid::kGenXmitOk:
        case oid::kGenRcvOk: {
            std::uint64_t v = (r.oid == oid::kGenXmitOk ? txFrames_ : rxFrames_).Value();
            std::uint32_t size = v > 0xFFFFFFFFu ? 8 : 4;
            if (length < 4) {
                r.bytesNeeded = size;
                return kNdisBufferTooShort;
            }
            if (length < size) size = 4;
            std::uint8_t bytes[8];
            Put64(bytes, v);
            std::memcpy(buffer, bytes, size);
            r.bytesWritten = size;
            return 0;
        }
        case oid::kSignalStrength:
            data = Le32(joined && !link_->own ? SignalAt(link_->net, now) : 0);
            break;
        case oid::kTxRate:
        case oid::kRxRate:
            data = Le32(LinkRate());
            break;
        case oid::kCurrentChannel: {
            Channel c{};
            if (joined) {
                c = {link_->net.frequency, link_->net.channelFlags};
            } else if (scanStart_ && !channels_.empty()) {
                c = channels_[(now - *scanStart_) / Dwell(channels_.size()) % channels_.size()];
            }
            data = {static_cast<std::uint8_t>(c.frequency),
                    static_cast<std::uint8_t>(c.frequency >> 8), static_cast<std::uint8_t>(c.flags),
                    static_cast<std::uint8_t>(c.flags >> 8)};
            break;
        }
        case oid::kConnectionState:
            data = Le32(joined ? 1 : 0);
            break;
        case oid::kBssid:
            mac(joined ? link_->net.bssid : MacAddress{});
            break;
        case oid::kSsid:
            if (joined) data.assign(link_->net.ssid.begin(), link_->net.ssid.end());
            break;
        case oid::kBssList: {
            std::size_t fit = length / kScanListEntrySize, n = 0;
            for (const auto& net : Radio()) {
                if (!heard_.count(net.bssid)) continue;
                if (n == fit) break;
                EncodeScanListEntry(net, SignalAt(net, now), buffer + n * kScanListEntrySize);
                ++n;
            }
            r.bytesWritten = static_cast<std::uint32_t>(n * kScanListEntrySize);
            return 0;
        }
        case oid::kEncryption:
            data = Le32(joined ? link_->net.privacy : 0);
            break;
        case oid::kNetworkMode:
            data = Le32(params_.AdHoc() ? 1 : 0);
            break;
        case oid::kDeviceStatus:
            data.assign(kDeviceStatusSize, 0);
            Put32(data.data() + 220, card.domain);
            Put64(data.data() + 224, txBytes_.Value());
            Put64(data.data() + 232, rxBytes_.Value());
            break;
        case oid::kMacAddress:
            mac(card.mac);
            break;
        case oid::kStartScan:
            return kNdisNotSupported;
        default:
            return kNdisInvalidOid;
    }
    auto size = static_cast<std::uint32_t>(data.size());
    if (length < size) {
        r.bytesNeeded = size;
        return kNdisBufferTooShort;
    }
    if (size > 0) std::memcpy(buffer, data.data(), size);
    r.bytesWritten = size;
    return 0;
}

std::uint32_t Zn6200::Set(plat::NdisRequestBlock& r, std::uint32_t length, const std::uint8_t* data,
                          std::uint64_t now) {
    switch (r.oid) {
        case oid::kGenCurrentPacketFilter:
            if (length < 4) {
                r.bytesNeeded = 4;
                return kNdisInvalidLength;
            }
            packetFilter_ = static_cast<std::uint32_t>(data[0]) |
                            static_cast<std::uint32_t>(data[1]) << 8 |
                            static_cast<std::uint32_t>(data[2]) << 16 |
                            static_cast<std::uint32_t>(data[3]) << 24;
            r.bytesWritten = 4;
            return 0;
        case oid::kStartScan:
            scanStart_ = now;
            r.bytesWritten = length;
            return 0;
        default:
            return IsQueryOid(r.oid) ? kNdisNotSupported : kNdisInvalidOid;
    }
}

}  // namespace sim
