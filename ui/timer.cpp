#include "ui/timer.h"

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
    ++ticking_;
    if (OnTimer) OnTimer();
    --ticking_;
    if (ticking_ == 0) retired_.reset();
}

}  // namespace ui
