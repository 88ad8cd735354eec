// The thread's message loop and window timers.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/loop.h"

namespace win32 {

// Timers belong to a hidden window of the loop's own, so every WM_TIMER finds its loop
// through the window and no process-wide table is needed. Make and use the loop on the
// thread that runs the program's messages.
class Loop final : public plat::MessageLoop {
  public:
    Loop();
    ~Loop() override;
    Loop(const Loop&) = delete;
    Loop& operator=(const Loop&) = delete;

    void Sleep(std::uint32_t ms) override;
    void ProcessMessages() override;
    std::unique_ptr<plat::TimerHandle> StartTimer(std::uint32_t intervalMs,
                                                  std::function<void()> onTick) override;
    void Quit() override;
    bool CursorPos(int& x, int& y) override;

    // Runs the thread's messages until Quit; returns the quit code.
    int Run();
    // False when the timer window could not be made (no timer will fire).
    bool Ready() const;

    struct Core;

  private:
    std::shared_ptr<Core> core_;
};

}  // namespace win32
