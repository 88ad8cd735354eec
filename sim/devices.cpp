#include "sim/devices.h"

#include <cctype>

namespace sim {

namespace {

constexpr std::string_view kEnumRoot = "System\\CurrentControlSet\\Enum";
constexpr std::string_view kClassRoot = "System\\CurrentControlSet\\Control\\Class";

std::string Upper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", hex digits in either case.
bool IsBracedGuid(std::string_view s) {
    if (s.size() != 38 || s.front() != '{' || s.back() != '}') return false;
    for (std::size_t i = 1; i < 37; ++i) {
        bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        char c = s[i];
        if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

struct Listed {
    std::string id;       // upper case, as reported
    std::string keyPath;  // the Enum key, names as stored
};

// Every instance key with a usable class, in registry order; Wine skips the others even
// when all classes are asked for.
std::vector<Listed> EnumerateInstances(plat::Registry& reg, std::string_view classGuid) {
    std::vector<Listed> out;
    auto root = reg.Open(kEnumRoot);
    if (!root) return out;
    for (const auto& enumerator : root->SubKeyNames()) {
        std::string enumPath = plat::JoinPath(kEnumRoot, enumerator);
        auto enumKey = reg.Open(enumPath);
        if (!enumKey) continue;
        for (const auto& device : enumKey->SubKeyNames()) {
            std::string devPath = plat::JoinPath(enumPath, device);
            auto devKey = reg.Open(devPath);
            if (!devKey) continue;
            for (const auto& instance : devKey->SubKeyNames()) {
                std::string path = plat::JoinPath(devPath, instance);
                auto key = reg.Open(path);
                if (!key) continue;
                auto cls = key->Get("ClassGUID");
                if (!cls || cls->type != plat::RegType::Sz) continue;
                auto text = plat::ReadString(*key, "ClassGUID").value_or("");
                if (!IsBracedGuid(text)) continue;
                if (!classGuid.empty() && Upper(text) != Upper(classGuid)) continue;
                out.push_back({Upper(enumerator + "\\" + device + "\\" + instance), path});
            }
        }
    }
    return out;
}

const char* ValueName(plat::DeviceProperty p) {
    switch (p) {
        case plat::DeviceProperty::DeviceDesc:
            return "DeviceDesc";
        case plat::DeviceProperty::Service:
            return "Service";
        case plat::DeviceProperty::Driver:
            return "Driver";
        case plat::DeviceProperty::FriendlyName:
            return "FriendlyName";
    }
    return "";
}

class SimDeviceSet : public plat::DeviceSet {
  public:
    SimDeviceSet(SetupApi& api, std::vector<Listed> devices)
        : api_(api), devices_(std::move(devices)) {}

    std::size_t Count() const override { return devices_.size(); }

    std::string InstanceId(std::size_t i) const override {
        if (i >= devices_.size()) return {};
        const auto* d = api_.Find(devices_[i].id);
        if (d && d->idUnreadable) return {};
        return devices_[i].id;
    }

    std::optional<std::string> Property(std::size_t i, plat::DeviceProperty p) const override {
        if (i >= devices_.size()) return std::nullopt;
        auto key = api_.registry().Open(devices_[i].keyPath);
        if (!key) return std::nullopt;
        return plat::ReadString(*key, ValueName(p));
    }

    std::optional<plat::DevNodeStatus> Status(std::size_t i) const override {
        if (i >= devices_.size()) return std::nullopt;
        const auto* d = api_.Find(devices_[i].id);
        if (!d) return SetupApi::Device{}.status;
        // A devnode that has gone away answers no such device.
        if (!d->present || d->statusFails) return std::nullopt;
        return d->status;
    }

    bool ChangeState(std::size_t i, std::uint32_t stateChange, std::uint32_t scope,
                     std::uint32_t hwProfile) override {
        if (i >= devices_.size()) return false;
        return api_.ChangeState(devices_[i].id, stateChange, scope, hwProfile);
    }

    std::unique_ptr<plat::RegKey> OpenDriverKey(std::size_t i, plat::DevKeyAccess) override {
        auto driver = Property(i, plat::DeviceProperty::Driver);
        if (!driver || driver->empty()) return nullptr;
        return api_.registry().Open(plat::JoinPath(kClassRoot, *driver));
    }

    std::optional<plat::InstallParams> ReadInstallParams(std::size_t i) const override {
        if (i >= devices_.size()) return std::nullopt;
        const auto* d = api_.Find(devices_[i].id);
        if (!d) return plat::InstallParams{};
        if (d->installParamsFail) return std::nullopt;
        return d->installParams;
    }

    bool WriteInstallParams(std::size_t i, const plat::InstallParams& params) override {
        if (i >= devices_.size()) return false;
        return api_.WriteInstallParams(devices_[i].id, params);
    }

  private:
    SetupApi& api_;
    std::vector<Listed> devices_;
};

}  // namespace

SetupApi::SetupApi(plat::Registry& registry) : registry_(registry) {}
SetupApi::~SetupApi() = default;

std::unique_ptr<plat::DeviceSet> SetupApi::PresentDevices(std::string_view classGuid) {
    if (enumerationFails_) return nullptr;
    if (!classGuid.empty() && !IsBracedGuid(classGuid)) return nullptr;
    auto all = EnumerateInstances(registry_, classGuid);
    std::vector<Listed> present;
    for (auto& d : all)
        if (IsPresent(d.id)) present.push_back(std::move(d));
    return std::make_unique<SimDeviceSet>(*this, std::move(present));
}

std::unique_ptr<plat::DeviceSet> SetupApi::DeviceById(std::string_view instanceId) {
    std::string id = Upper(instanceId);
    for (auto& d : EnumerateInstances(registry_, {})) {
        if (d.id != id) continue;
        if (!IsPresent(id)) return nullptr;
        std::vector<Listed> one;
        one.push_back(std::move(d));
        return std::make_unique<SimDeviceSet>(*this, std::move(one));
    }
    return nullptr;
}

const SetupApi::Device* SetupApi::Find(std::string_view instanceId) const {
    auto it = devices_.find(Upper(instanceId));
    return it == devices_.end() ? nullptr : &it->second;
}

SetupApi::Device& SetupApi::At(std::string_view instanceId) {
    return devices_[Upper(instanceId)];
}

void SetupApi::SetPresent(std::string_view instanceId, bool present) {
    bool was = IsStarted(instanceId);
    At(instanceId).present = present;
    Notify(Upper(instanceId), was);
}

bool SetupApi::IsPresent(std::string_view instanceId) const {
    const auto* d = Find(instanceId);
    return !d || d->present;
}

void SetupApi::SetStatus(std::string_view instanceId, plat::DevNodeStatus status) {
    bool was = IsStarted(instanceId);
    At(instanceId).status = status;
    Notify(Upper(instanceId), was);
}

plat::DevNodeStatus SetupApi::StatusOf(std::string_view instanceId) const {
    const auto* d = Find(instanceId);
    return d ? d->status : Device{}.status;
}

bool SetupApi::IsStarted(std::string_view instanceId) const {
    const auto* d = Find(instanceId);
    if (!d) return true;
    return d->present && (d->status.status & kDnStarted) &&
           !(d->status.status & plat::kDnHasProblem);
}

void SetupApi::SetEnumerationFails(bool fails) {
    enumerationFails_ = fails;
}
void SetupApi::SetStatusFails(std::string_view id, bool fails) {
    At(id).statusFails = fails;
}
void SetupApi::SetInstanceIdUnreadable(std::string_view id, bool unreadable) {
    At(id).idUnreadable = unreadable;
}
void SetupApi::SetChangeFails(std::string_view id, bool fails) {
    At(id).changeFails = fails;
}
void SetupApi::SetInstallParamsFail(std::string_view id, bool fails) {
    At(id).installParamsFail = fails;
}

void SetupApi::SetInstallParams(std::string_view instanceId, plat::InstallParams params) {
    At(instanceId).installParams = params;
}

plat::InstallParams SetupApi::InstallParamsOf(std::string_view instanceId) const {
    const auto* d = Find(instanceId);
    return d ? d->installParams : plat::InstallParams{};
}

const Recent<SetupApi::ChangeRequest>& SetupApi::Requests() const {
    return requests_;
}
void SetupApi::ClearRequests() {
    requests_.clear();
}
void SetupApi::Subscribe(Observer observer) {
    observers_.push_back(std::move(observer));
}

bool SetupApi::ChangeState(const std::string& instanceId, std::uint32_t stateChange,
                           std::uint32_t scope, std::uint32_t hwProfile) {
    bool was = IsStarted(instanceId);
    Device& d = At(instanceId);
    auto& st = d.status;
    bool disabled = (st.status & plat::kDnHasProblem) && st.problem == plat::kProblemDisabled;
    bool ok = d.present && !d.changeFails && st.problem != plat::kProblemHardwareDisabled;
    bool restart = false;
    if (ok) {
        switch (stateChange) {
            case plat::kDicsDisable:
                ok = (st.status & plat::kDnDisableable) != 0;
                if (ok && !disabled) {
                    st.status = (st.status & ~(kDnDriverLoaded | kDnStarted)) | plat::kDnHasProblem;
                    st.problem = plat::kProblemDisabled;
                }
                break;
            case plat::kDicsEnable:
                // Enabling a device that is not disabled succeeds and changes nothing.
                if (disabled) {
                    st.status = (st.status & ~plat::kDnHasProblem) | kDnDriverLoaded | kDnStarted;
                    st.problem = 0;
                }
                break;
            case plat::kDicsPropChange:
                restart = was;
                break;
            default:
                ok = false;
        }
    }
    requests_.push_back({instanceId, stateChange, scope, hwProfile, ok});
    if (restart) {
        // The device stops and starts again; its status ends as it was.
        Tell(instanceId, false);
        Tell(instanceId, true);
    } else {
        Notify(instanceId, was);
    }
    return ok;
}

bool SetupApi::WriteInstallParams(const std::string& instanceId,
                                  const plat::InstallParams& params) {
    Device& d = At(instanceId);
    if (d.installParamsFail) return false;
    d.installParams = params;
    return true;
}

void SetupApi::RestartDevices() {
    std::vector<std::string> started;
    for (auto& d : EnumerateInstances(registry_, {}))
        if (IsStarted(d.id)) started.push_back(d.id);
    for (auto& id : started) {
        Tell(id, false);
        Tell(id, true);
    }
}

void SetupApi::Notify(const std::string& instanceId, bool wasStarted) {
    bool now = IsStarted(instanceId);
    if (now != wasStarted) Tell(instanceId, now);
}

void SetupApi::Tell(const std::string& instanceId, bool started) {
    // A copy: an observer may subscribe another while being told.
    for (auto& o : std::vector<Observer>(observers_)) o(instanceId, started);
}

}  // namespace sim
