#include "sim/shell.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace sim {

namespace {

// The tip as the shell takes it from the fixed-size record: up to its first zero, cut to
// fit with the terminator.
std::string RecordTip(const std::string& tip) {
    std::string_view t(tip);
    t = t.substr(0, std::min(t.find('\0'), plat::kNotifyTipChars - 1));
    return std::string(t);
}

void Update(TrayIcon& icon, const plat::NotifyIconRecord& r) {
    if (r.flags & plat::kNifMessage) icon.callbackMessage = r.callbackMessage;
    if (r.flags & plat::kNifIcon) icon.icon = r.icon;
    if (r.flags & plat::kNifTip) icon.tip = RecordTip(r.tip);
}

}  // namespace

bool Shell::NotifyIcon(std::uint32_t action, const plat::NotifyIconRecord& record) {
    const bool ok = !fails_ && Apply(action, record);
    calls_.push_back({action, record, ok});
    return ok;
}

bool Shell::Apply(std::uint32_t action, const plat::NotifyIconRecord& record) {
    auto it = std::find_if(icons_.begin(), icons_.end(), [&](const TrayIcon& i) {
        return i.owner == record.owner && i.id == record.id;
    });
    switch (action) {
        case plat::kNimAdd: {
            if (it != icons_.end()) return false;
            TrayIcon icon;
            icon.owner = record.owner;
            icon.id = record.id;
            Update(icon, record);
            icons_.push_back(std::move(icon));
            return true;
        }
        case plat::kNimModify:
            if (it == icons_.end()) return false;
            Update(*it, record);
            return true;
        case plat::kNimDelete:
            if (it == icons_.end()) return false;
            icons_.erase(it);
            return true;
        default:
            return false;
    }
}

std::optional<TrayIcon> Shell::Icon(std::uint32_t id) const {
    for (const auto& i : icons_) {
        if (i.id == id) return i;
    }
    return std::nullopt;
}

}  // namespace sim
