// A window timer on the program's message loop.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/loop.h"
#include "ui/component.h"

namespace ui {

// Runs while enabled with a non-zero interval. Enabling starts the loop's timer, disabling
// stops it; a new interval restarts a running timer. It may be switched off and on from its
// own handler.
class Timer : public Component {
  public:
    explicit Timer(plat::MessageLoop& loop, std::string name = {});
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t ms);
    // Whether the loop's timer is running.
    bool Running() const { return handle_ != nullptr; }

    std::function<void()> OnTimer;

  private:
    void Update();
    void Tick();

    plat::MessageLoop& loop_;
    bool enabled_ = false;
    std::uint32_t interval_ = 1000;
    std::unique_ptr<plat::TimerHandle> handle_;
    // A handle stopped from inside its own tick lives until the tick returns.
    std::unique_ptr<plat::TimerHandle> retired_;
    int ticking_ = 0;
};

}  // namespace ui
