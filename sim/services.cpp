#include "sim/services.h"

#include <cctype>

namespace sim {

namespace {

struct Entry {
    std::uint32_t state = plat::kServiceStopped;
    bool refused = false;
    bool marked = false;
    int handles = 0;
};

std::string Fold(std::string_view name) {
    std::string s(name);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

struct ServiceControl::State {
    bool available = true;
    bool managerRefused = false;
    std::map<std::string, std::shared_ptr<Entry>> services;  // by folded name
    Recent<Call> calls;

    void Record(CallKind kind, std::string_view service, plat::ServiceAccess access, bool ok) {
        calls.push_back({kind, std::string(service), access, ok});
    }
    Entry* Find(std::string_view name) const {
        auto it = services.find(Fold(name));
        return it == services.end() ? nullptr : it->second.get();
    }
};

namespace {

using State = ServiceControl::State;
using CallKind = ServiceControl::CallKind;

class SimService : public plat::Service {
  public:
    SimService(std::shared_ptr<State> state, std::string folded, std::string spelled,
               std::shared_ptr<Entry> entry, plat::ServiceAccess access)
        : state_(std::move(state)),
          folded_(std::move(folded)),
          spelled_(std::move(spelled)),
          entry_(std::move(entry)),
          access_(access) {
        ++entry_->handles;
    }
    ~SimService() override {
        // The manager drops a service marked for deletion with its last handle.
        if (--entry_->handles == 0 && entry_->marked) {
            auto it = state_->services.find(folded_);
            if (it != state_->services.end() && it->second == entry_) state_->services.erase(it);
        }
    }
    SimService(const SimService&) = delete;
    SimService& operator=(const SimService&) = delete;

    bool Stop() override {
        bool ok = access_ == plat::ServiceAccess::Full &&
                  (entry_->state == plat::kServiceRunning || entry_->state == plat::kServicePaused);
        if (ok) entry_->state = plat::kServiceStopped;
        state_->Record(CallKind::Stop, spelled_, access_, ok);
        return ok;
    }
    bool Delete() override {
        bool ok = access_ == plat::ServiceAccess::Full && !entry_->marked;
        if (ok) entry_->marked = true;
        state_->Record(CallKind::Delete, spelled_, access_, ok);
        return ok;
    }
    std::optional<std::uint32_t> CurrentState() override {
        state_->Record(CallKind::Query, spelled_, access_, true);
        return entry_->state;
    }

  private:
    std::shared_ptr<State> state_;
    std::string folded_;
    std::string spelled_;
    std::shared_ptr<Entry> entry_;
    plat::ServiceAccess access_;
};

class SimManager : public plat::ServiceManager {
  public:
    explicit SimManager(std::shared_ptr<State> state) : state_(std::move(state)) {}

    std::unique_ptr<plat::Service> Open(std::string_view name,
                                        plat::ServiceAccess access) override {
        std::string folded = Fold(name);
        auto it = state_->services.find(folded);
        bool ok = it != state_->services.end() && !it->second->refused;
        state_->Record(CallKind::OpenService, name, access, ok);
        if (!ok) return nullptr;
        return std::make_unique<SimService>(state_, std::move(folded), std::string(name),
                                            it->second, access);
    }

  private:
    std::shared_ptr<State> state_;
};

}  // namespace

ServiceControl::ServiceControl() : state_(std::make_shared<State>()) {}
ServiceControl::~ServiceControl() = default;

std::unique_ptr<plat::ServiceManager> ServiceControl::OpenManager() {
    bool ok = state_->available && !state_->managerRefused;
    state_->Record(CallKind::OpenManager, {}, plat::ServiceAccess::Full, ok);
    if (!ok) return nullptr;
    return std::make_unique<SimManager>(state_);
}

void ServiceControl::SetAvailable(bool available) {
    state_->available = available;
}
void ServiceControl::SetManagerRefused(bool refused) {
    state_->managerRefused = refused;
}

void ServiceControl::Add(std::string_view name, std::uint32_t state) {
    auto& slot = state_->services[Fold(name)];
    // A service marked for deletion but still held open is replaced by a fresh one.
    if (!slot || slot->marked) slot = std::make_shared<Entry>();
    slot->state = state;
}

void ServiceControl::SetState(std::string_view name, std::uint32_t state) {
    if (Entry* e = state_->Find(name)) e->state = state;
}

void ServiceControl::SetAccessRefused(std::string_view name, bool refused) {
    if (Entry* e = state_->Find(name)) e->refused = refused;
}

bool ServiceControl::Exists(std::string_view name) const {
    return state_->Find(name) != nullptr;
}

bool ServiceControl::MarkedForDeletion(std::string_view name) const {
    const Entry* e = state_->Find(name);
    return e && e->marked;
}

std::optional<std::uint32_t> ServiceControl::StateOf(std::string_view name) const {
    if (const Entry* e = state_->Find(name)) return e->state;
    return std::nullopt;
}

const Recent<ServiceControl::Call>& ServiceControl::Calls() const {
    return state_->calls;
}
void ServiceControl::ClearCalls() {
    state_->calls.clear();
}

}  // namespace sim
