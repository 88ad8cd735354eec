#include "sim/clock.h"

#include <algorithm>
#include <utility>

namespace sim {

namespace {

constexpr std::uint32_t kMinimumInterval = 10;  // USER_TIMER_MINIMUM

struct Timer {
    std::uint64_t seq = 0;
    std::uint32_t interval = 0;
    std::uint64_t due = 0;
    std::function<void()> onTick;
    bool running = false;
};

}  // namespace

struct Loop::State {
    std::uint64_t now = 0;
    std::uint64_t nextSeq = 0;
    std::vector<std::shared_ptr<Timer>> timers;  // in start order
    bool quit = false;
    int cursorX = 0, cursorY = 0;
    bool cursorFails = false;
    Recent<std::uint32_t> sleeps;
    std::size_t pumps = 0;

    // The earliest timer due by limit that is not running, or nullptr.
    std::shared_ptr<Timer> NextDue(std::uint64_t limit) const {
        std::shared_ptr<Timer> best;
        for (const auto& t : timers) {
            if (t->running || t->due > limit) continue;
            if (!best || t->due < best->due) best = t;  // ties keep the earlier start
        }
        return best;
    }

    void Fire(const std::shared_ptr<Timer>& t) {
        now = std::max(now, t->due);
        t->due = now + t->interval;
        t->running = true;
        struct Reset {
            Timer& t;
            ~Reset() { t.running = false; }
        } reset{*t};
        // t is held here, so a handler that stops its own timer does not free the function
        // it is running in.
        auto keep = t;
        keep->onTick();
    }
};

namespace {

class SimTimerHandle final : public plat::TimerHandle {
  public:
    SimTimerHandle(std::weak_ptr<Loop::State> state, std::shared_ptr<Timer> timer)
        : state_(std::move(state)), timer_(std::move(timer)) {}
    ~SimTimerHandle() override {
        if (auto s = state_.lock()) {
            std::erase(s->timers, timer_);
        }
    }

  private:
    std::weak_ptr<Loop::State> state_;
    std::shared_ptr<Timer> timer_;
};

}  // namespace

Loop::Loop() : state_(std::make_shared<State>()) {}
Loop::~Loop() = default;

void Loop::Sleep(std::uint32_t ms) {
    state_->sleeps.push_back(ms);
    state_->now += ms;
}

void Loop::ProcessMessages() {
    // Only what is due at entry: a handler that sleeps past its own interval must not keep
    // this call going for ever.
    auto state = state_;
    ++state->pumps;
    const std::uint64_t limit = state->now;
    while (auto t = state->NextDue(limit)) {
        state->Fire(t);
    }
}

std::unique_ptr<plat::TimerHandle> Loop::StartTimer(std::uint32_t intervalMs,
                                                    std::function<void()> onTick) {
    auto t = std::make_shared<Timer>();
    t->seq = state_->nextSeq++;
    t->interval = std::max(intervalMs, kMinimumInterval);
    t->due = state_->now + t->interval;
    t->onTick = std::move(onTick);
    state_->timers.push_back(t);
    return std::make_unique<SimTimerHandle>(state_, std::move(t));
}

void Loop::Quit() {
    state_->quit = true;
}

bool Loop::CursorPos(int& x, int& y) {
    if (state_->cursorFails) return false;
    x = state_->cursorX;
    y = state_->cursorY;
    return true;
}

std::uint64_t Loop::NowMs() const {
    return state_->now;
}

void Loop::Advance(std::uint64_t ms) {
    auto state = state_;
    const std::uint64_t target = state->now + ms;
    while (auto t = state->NextDue(target)) {
        state->Fire(t);
    }
    state->now = std::max(state->now, target);
}

bool Loop::QuitRequested() const {
    return state_->quit;
}

void Loop::SetCursor(int x, int y) {
    state_->cursorX = x;
    state_->cursorY = y;
}

void Loop::SetCursorFails(bool fails) {
    state_->cursorFails = fails;
}

std::size_t Loop::ActiveTimers() const {
    return state_->timers.size();
}

std::vector<std::uint32_t> Loop::ActiveIntervals() const {
    std::vector<std::uint32_t> out;
    for (const auto& t : state_->timers) out.push_back(t->interval);
    return out;
}

const Recent<std::uint32_t>& Loop::Sleeps() const {
    return state_->sleeps;
}

std::size_t Loop::ProcessMessagesCalls() const {
    return state_->pumps;
}

}  // namespace sim
