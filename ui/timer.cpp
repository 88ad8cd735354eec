#include "ui/timer.h"

#include "platform/boundary.h"

namespace ui {

Timer::Timer(plat::MessageLoop& loop, std::string name) : Component(std::move(name)), loop_(loop) {}

Timer::~Timer() = default;

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void Timer::SetInterval(std::uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void Timer::Update() {
    if (handle_) {
        if (ticking_ > 0) {
            retired_ = std::move(handle_);
        } else {
            handle_.reset();
        }
    }
    if (enabled_ && interval_ > 0) handle_ = loop_.StartTimer(interval_, [this] { Tick(); });
}

void Timer::Tick() {
    // A handler that raises still leaves the count as it found it.
    struct Ticking {
        Timer& t;
        explicit Ticking(Timer& timer) : t(timer) { ++t.ticking_; }
        ~Ticking() {
            if (--t.ticking_ == 0) t.retired_.reset();
        }
    } ticking{*this};
    if (!OnTimer) return;
    if (auto* boundary = loop_.Boundary()) {
        boundary->Run(OnTimer);
    } else {
        OnTimer();
    }
}

}  // namespace ui
