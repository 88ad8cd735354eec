#include "win32/devices.h"

#include "win32/module.h"
#include "win32/registry.h"

// clang-format off
#include <cfgmgr32.h>
// clang-format on

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace win32 {

// The entries of the setup interface and the configuration manager, resolved at run time so
// that the program starts on a Windows that lacks either library.
class SetupLibrary {
  public:
    SetupLibrary(const std::string& setupName, const std::string& configName)
        : setup_(setupName.c_str()), config_(configName.c_str()) {
        complete_ = setup_.Get("SetupDiGetClassDevsA", getClassDevs) &&
                    setup_.Get("SetupDiDestroyDeviceInfoList", destroyList) &&
                    setup_.Get("SetupDiEnumDeviceInfo", enumDeviceInfo) &&
                    setup_.Get("SetupDiGetDeviceInstanceIdA", getInstanceId) &&
                    setup_.Get("SetupDiGetDeviceRegistryPropertyA", getProperty) &&
                    setup_.Get("SetupDiSetClassInstallParamsA", setClassInstallParams) &&
                    setup_.Get("SetupDiCallClassInstaller", callClassInstaller) &&
                    setup_.Get("SetupDiOpenDevRegKey", openDevRegKey) &&
                    setup_.Get("SetupDiGetDeviceInstallParamsA", getInstallParams) &&
                    setup_.Get("SetupDiSetDeviceInstallParamsA", setInstallParams) &&
                    config_.Get("CM_Get_DevNode_Status", getDevNodeStatus);
    }
    SetupLibrary(const SetupLibrary&) = delete;
    SetupLibrary& operator=(const SetupLibrary&) = delete;

    // nullptr when a library or one of its entries is missing.
    static std::shared_ptr<const SetupLibrary> Load(const std::string& setupName,
                                                    const std::string& configName) {
        auto lib = std::make_shared<SetupLibrary>(setupName, configName);
        return lib->complete_ ? lib : nullptr;
    }

    decltype(&SetupDiGetClassDevsA) getClassDevs = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) destroyList = nullptr;
    decltype(&SetupDiEnumDeviceInfo) enumDeviceInfo = nullptr;
    decltype(&SetupDiGetDeviceInstanceIdA) getInstanceId = nullptr;
    decltype(&SetupDiGetDeviceRegistryPropertyA) getProperty = nullptr;
    decltype(&SetupDiSetClassInstallParamsA) setClassInstallParams = nullptr;
    decltype(&SetupDiCallClassInstaller) callClassInstaller = nullptr;
    decltype(&SetupDiOpenDevRegKey) openDevRegKey = nullptr;
    decltype(&SetupDiGetDeviceInstallParamsA) getInstallParams = nullptr;
    decltype(&SetupDiSetDeviceInstallParamsA) setInstallParams = nullptr;
    decltype(&CM_Get_DevNode_Status) getDevNodeStatus = nullptr;

  private:
    Module setup_;
    Module config_;
    bool complete_ = false;
};

namespace {

using Library = std::shared_ptr<const SetupLibrary>;

// Owns a device information set, and keeps the library that made it loaded.
class DevInfoList {
  public:
    DevInfoList(Library lib, HDEVINFO set, bool owned)
        : lib_(std::move(lib)), set_(set), owned_(owned) {}
    ~DevInfoList() {
        if (owned_ && set_ != INVALID_HANDLE_VALUE) lib_->destroyList(set_);
    }
    DevInfoList(DevInfoList&& other) noexcept
        : lib_(other.lib_), set_(other.set_), owned_(other.owned_) {
        other.owned_ = false;
    }
    DevInfoList(const DevInfoList&) = delete;
    DevInfoList& operator=(const DevInfoList&) = delete;
    DevInfoList& operator=(DevInfoList&&) = delete;
    HDEVINFO get() const { return set_; }
    const SetupLibrary& lib() const { return *lib_; }

  private:
    Library lib_;
    HDEVINFO set_;
    bool owned_;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" without the RPC or OLE run-time.
bool ParseGuid(std::string_view s, GUID& g) {
    if (s.size() != 38 || s.front() != '{' || s.back() != '}') return false;
    std::uint8_t bytes[16];
    std::size_t n = 0;
    for (std::size_t i = 1; i < 37;) {
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (s[i] != '-') return false;
            ++i;
            continue;
        }
        int hi = HexValue(s[i]), lo = HexValue(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes[n++] = static_cast<std::uint8_t>(hi << 4 | lo);
        i += 2;
    }
    g.Data1 = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 |
              std::uint32_t(bytes[2]) << 8 | bytes[3];
    g.Data2 = static_cast<unsigned short>(bytes[4] << 8 | bytes[5]);
    g.Data3 = static_cast<unsigned short>(bytes[6] << 8 | bytes[7]);
    std::memcpy(g.Data4, bytes + 8, 8);
    return true;
}

DWORD PropertyCode(plat::DeviceProperty p) {
    switch (p) {
        case plat::DeviceProperty::DeviceDesc:
            return SPDRP_DEVICEDESC;
        case plat::DeviceProperty::Service:
            return SPDRP_SERVICE;
        case plat::DeviceProperty::Driver:
            return SPDRP_DRIVER;
        case plat::DeviceProperty::FriendlyName:
            return SPDRP_FRIENDLYNAME;
    }
    return SPDRP_DEVICEDESC;
}

// Larger answers than this are not device texts; refuse them rather than allocate.
constexpr DWORD kMaxPropertySize = 64 * 1024;

class Win32DeviceSet final : public plat::DeviceSet {
  public:
    explicit Win32DeviceSet(DevInfoList set) : set_(std::move(set)) {}

    void EnumerateAll() {
        for (DWORD i = 0;; ++i) {
            SP_DEVINFO_DATA d{};
            d.cbSize = sizeof(d);
            if (!Lib().enumDeviceInfo(set_.get(), i, &d)) break;
            devices_.push_back(d);
        }
    }
    void Add(const SP_DEVINFO_DATA& d) { devices_.push_back(d); }

    std::size_t Count() const override { return devices_.size(); }

    std::string InstanceId(std::size_t i) const override {
        auto* d = At(i);
        if (!d) return {};
        // First call for the length; a device that reports none is skipped by the callers.
        DWORD need = 0;
        Lib().getInstanceId(set_.get(), d, nullptr, 0, &need);
        if (need == 0 || need > kMaxPropertySize) return {};
        std::vector<char> buf(need + 1, 0);
        if (!Lib().getInstanceId(set_.get(), d, buf.data(), need + 1, nullptr)) return {};
        return std::string(buf.data(), strnlen(buf.data(), buf.size()));
    }

    std::optional<std::string> Property(std::size_t i, plat::DeviceProperty p) const override {
        auto* d = At(i);
        if (!d) return std::nullopt;
        // A 200-byte buffer first; the size the call asks for when that is short.
        std::vector<BYTE> buf(200, 0);
        DWORD type = 0, need = 0;
        DWORD code = PropertyCode(p);
        if (!Lib().getProperty(set_.get(), d, code, &type, buf.data(),
                               static_cast<DWORD>(buf.size()), &need)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || need == 0 || need > kMaxPropertySize)
                return std::nullopt;
            buf.assign(need, 0);
            if (!Lib().getProperty(set_.get(), d, code, &type, buf.data(), need, &need))
                return std::nullopt;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        auto* text = reinterpret_cast<const char*>(buf.data());
        std::size_t size = need < buf.size() ? need : buf.size();
        return std::string(text, strnlen(text, size));
    }

    std::optional<plat::DevNodeStatus> Status(std::size_t i) const override {
        auto* d = At(i);
        if (!d) return std::nullopt;
        // Wine's stub answers success and writes neither.
        ULONG status = 0, problem = 0;
        if (Lib().getDevNodeStatus(&status, &problem, d->DevInst, 0) != CR_SUCCESS)
            return std::nullopt;
        return plat::DevNodeStatus{static_cast<std::uint32_t>(status),
                                   static_cast<std::uint32_t>(problem)};
    }

    bool ChangeState(std::size_t i, std::uint32_t stateChange, std::uint32_t scope,
                     std::uint32_t hwProfile) override {
        auto* d = At(i);
        if (!d) return false;
        SP_PROPCHANGE_PARAMS params{};
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = stateChange;
        params.Scope = scope;
        params.HwProfile = hwProfile;
        return Lib().setClassInstallParams(set_.get(), d, &params.ClassInstallHeader,
                                           sizeof(params)) &&
               Lib().callClassInstaller(DIF_PROPERTYCHANGE, set_.get(), d);
    }

    std::unique_ptr<plat::RegKey> OpenDriverKey(std::size_t i, plat::DevKeyAccess access) override {
        auto* d = At(i);
        if (!d) return nullptr;
        REGSAM sam = access == plat::DevKeyAccess::Full ? KEY_ALL_ACCESS : KEY_READ;
        HKEY key = Lib().openDevRegKey(set_.get(), d, DICS_FLAG_GLOBAL, 0, DIREG_DRV, sam);
        if (key == INVALID_HANDLE_VALUE || key == nullptr) return nullptr;
        return win32::AdoptKey(key);
    }

    std::optional<plat::InstallParams> ReadInstallParams(std::size_t i) const override {
        SP_DEVINSTALL_PARAMS_A params;
        if (!Read(i, params)) return std::nullopt;
        return plat::InstallParams{static_cast<std::uint32_t>(params.Flags),
                                   static_cast<std::uint32_t>(params.FlagsEx)};
    }

    bool WriteInstallParams(std::size_t i, const plat::InstallParams& p) override {
        SP_DEVINSTALL_PARAMS_A params;
        if (!Read(i, params)) return false;
        params.Flags = p.flags;
        params.FlagsEx = p.flagsEx;
        return Lib().setInstallParams(set_.get(), At(i), &params);
    }

  private:
    const SetupLibrary& Lib() const { return set_.lib(); }
    // The setup calls take the record by non-const pointer but do not change it.
    SP_DEVINFO_DATA* At(std::size_t i) const {
        return i < devices_.size() ? const_cast<SP_DEVINFO_DATA*>(&devices_[i]) : nullptr;
    }
    bool Read(std::size_t i, SP_DEVINSTALL_PARAMS_A& params) const {
        auto* d = At(i);
        if (!d) return false;
        std::memset(&params, 0, sizeof(params));
        params.cbSize = sizeof(params);
        return Lib().getInstallParams(set_.get(), d, &params) != FALSE;
    }

    DevInfoList set_;
    std::vector<SP_DEVINFO_DATA> devices_;
};

}  // namespace

SetupApi::SetupApi(std::string setupLibrary, std::string configLibrary)
    : setupName_(std::move(setupLibrary)), configName_(std::move(configLibrary)) {}

SetupApi::~SetupApi() = default;

std::unique_ptr<plat::DeviceSet> SetupApi::PresentDevices(std::string_view classGuid) {
    // Loaded on first use; a missing library stays missing for the process's life.
    if (!loadTried_) {
        loadTried_ = true;
        lib_ = SetupLibrary::Load(setupName_, configName_);
    }
    if (!lib_) return nullptr;
    GUID guid{};
    DWORD flags = DIGCF_PRESENT;
    const GUID* cls = &guid;
    if (classGuid.empty()) {
        flags |= DIGCF_ALLCLASSES;
        cls = nullptr;
    } else if (!ParseGuid(classGuid, guid)) {
        return nullptr;
    }
    HDEVINFO set = lib_->getClassDevs(cls, nullptr, nullptr, flags);
    if (set == INVALID_HANDLE_VALUE) return nullptr;
    DevInfoList owned(lib_, set, true);  // released whatever happens next
    auto result = std::make_unique<Win32DeviceSet>(std::move(owned));
    result->EnumerateAll();
    return result;
}

std::unique_ptr<plat::DeviceSet> BorrowDevice(HDEVINFO set, const SP_DEVINFO_DATA& device) {
    // The host that hands over a set has the libraries loaded already.
    auto lib = SetupLibrary::Load(kSetupLibrary, kConfigLibrary);
    if (!lib) return nullptr;
    auto result = std::make_unique<Win32DeviceSet>(DevInfoList(std::move(lib), set, false));
    result->Add(device);
    return result;
}

}  // namespace win32
