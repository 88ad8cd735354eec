#include "sim/system.h"

#include <string_view>
#include <utility>

namespace sim {

// Kernel object names are case-sensitive.
struct System::Names {
    std::map<std::string, std::size_t, std::less<>> handles;
};

namespace {

class SimEvent final : public plat::Event {
  public:
    SimEvent(std::weak_ptr<System::Names> names, std::string name)
        : names_(std::move(names)), name_(std::move(name)) {}
    ~SimEvent() override {
        if (name_.empty()) return;
        if (auto n = names_.lock()) {
            auto it = n->handles.find(name_);
            if (it != n->handles.end() && --it->second == 0) n->handles.erase(it);
        }
    }
    // Distinct per handle and never null, as handles are.
    void* Native() const override { return const_cast<SimEvent*>(this); }

  private:
    std::weak_ptr<System::Names> names_;
    std::string name_;
};

}  // namespace

System::System() : names_(std::make_shared<Names>()) {}
System::~System() = default;

bool System::EventExists(std::string_view name) {
    return !name.empty() && names_->handles.find(name) != names_->handles.end();
}

std::unique_ptr<plat::Event> System::NewEvent(std::string_view name, bool, bool) {
    if (eventsFail_) return nullptr;
    ++eventsCreated_;
    if (!name.empty()) {
        auto it = names_->handles.find(name);
        if (it == names_->handles.end()) it = names_->handles.emplace(std::string(name), 0).first;
        ++it->second;
    }
    return std::make_unique<SimEvent>(names_, std::string(name));
}

std::size_t System::EventHandles(std::string_view name) const {
    auto it = names_->handles.find(name);
    return it == names_->handles.end() ? 0 : it->second;
}

bool System::EnableShutdownPrivilege() {
    ++privilegeRequests_;
    if (version_.family != plat::OsFamily::NT || privilegeFails_) return false;
    privilegeHeld_ = true;
    return true;
}

bool System::Restart(bool force) {
    const bool allowed = version_.family == plat::OsFamily::Win95 || privilegeHeld_;
    const bool ok = allowed && !restartFails_;
    restarts_.push_back({force, ok});
    if (ok && onRestart_) onRestart_();
    return ok;
}

}  // namespace sim
