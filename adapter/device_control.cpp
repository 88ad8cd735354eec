#include "adapter/device_control.h"

namespace adapter {

namespace {

// The identifier as stored; a missing or non-text value reads as empty.
std::string StoredCardCfgId(const plat::RegKey& key) {
    return plat::ReadString(key, kCardCfgIdValue).value_or("");
}

std::string NewCardCfgId(plat::Uuids& uuids) {
    auto text = uuids.Render(uuids.Create());
    return text && !text->empty() ? *text : std::string(kFallbackCardCfgId);
}

}  // namespace

bool CanDisableDevice(const std::optional<plat::DevNodeStatus>& status) {
    return status && (status->status & plat::kDnDisableable) != 0 &&
           status->problem != plat::kProblemHardwareDisabled;
}

bool IsDeviceDisabled(const std::optional<plat::DevNodeStatus>& status) {
    return status && (status->status & plat::kDnHasProblem) != 0 &&
           status->problem == plat::kProblemDisabled;
}

std::optional<std::size_t> FindDeviceByService(const plat::DeviceSet& set,
                                               std::string_view serviceName) {
    for (std::size_t i = 0; i < set.Count(); ++i) {
        if (!set.Status(i)) continue;
        auto service = set.Property(i, plat::DeviceProperty::Service);
        if (service && !service->empty() && *service == serviceName) return i;
    }
    return std::nullopt;
}

bool ChangeDeviceState(plat::DeviceSet& set, std::size_t index, std::uint32_t stateChange) {
    return set.ChangeState(index, stateChange, plat::kDicsFlagConfigSpecific, 0);
}

bool SetAdapterDeviceEnabled(plat::SetupApi& setup, std::string_view serviceName, bool enable) {
    // All classes: the device is found by its service, whatever class it is filed under.
    auto set = setup.PresentDevices({});
    if (!set) return false;
    auto index = FindDeviceByService(*set, serviceName);
    if (!index) return false;
    const auto status = set->Status(*index);
    if (!CanDisableDevice(status)) return false;
    const bool disabled = IsDeviceDisabled(status);
    // Asking for the state the device is in already makes no request.
    if (enable == !disabled) return false;
    if (!ChangeDeviceState(*set, *index, enable ? plat::kDicsEnable : plat::kDicsDisable))
        return false;
    return IsDeviceDisabled(set->Status(*index)) == !enable;
}

bool EnsureCardCfgId(plat::Registry& registry, plat::Uuids& uuids,
                     std::string_view adapterKeyPath) {
    // An empty path would address the root of the hive.
    if (adapterKeyPath.empty()) return false;
    auto key = registry.Open(adapterKeyPath);
    return key && EnsureCardCfgId(*key, uuids);
}

std::string ReadCardCfgId(plat::Registry& registry, plat::Uuids& uuids,
                          std::string_view adapterKeyPath) {
    if (adapterKeyPath.empty()) return {};
    auto key = registry.Open(adapterKeyPath);
    return key ? ReadCardCfgId(*key, uuids) : std::string{};
}

bool EnsureCardCfgId(plat::RegKey& driverKey, plat::Uuids& uuids) {
    if (!StoredCardCfgId(driverKey).empty()) return true;
    return plat::WriteString(driverKey, kCardCfgIdValue, NewCardCfgId(uuids));
}

std::string ReadCardCfgId(plat::RegKey& driverKey, plat::Uuids& uuids) {
    std::string text = StoredCardCfgId(driverKey);
    if (text.empty()) {
        EnsureCardCfgId(driverKey, uuids);
        text = StoredCardCfgId(driverKey);
    }
    // What the readers' buffer holds: the cipher key is the same text in every reader.
    if (text.size() > kMaxCardCfgIdLength) text.resize(kMaxCardCfgIdLength);
    return text;
}

}  // namespace adapter
