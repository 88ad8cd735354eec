// Message loop and window timers.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace plat {

class ErrorBoundary;

// A running timer; destroying it stops it.
class TimerHandle {
  public:
    virtual ~TimerHandle() = default;
};

// Timers behave as window timers: a late timer fires once, not once per missed interval;
// a handler never re-enters itself, but other timers may run inside it when it pumps
// messages; intervals below 10 ms count as 10 ms.
class MessageLoop {
  public:
    virtual ~MessageLoop() = default;
    // Blocks without dispatching anything: due timers wait for the next pump.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Dispatches the messages waiting now (timers that are due run here, nested, each at
    // most once per call).
    virtual void ProcessMessages() = 0;
    // Fires onTick every intervalMs until the handle is destroyed. A handle destroyed inside
    // a handler (its own or another's) stops the timer at once.
    virtual std::unique_ptr<TimerHandle> StartTimer(std::uint32_t intervalMs,
                                                    std::function<void()> onTick) = 0;
    // Ends the message loop that runs the program.
    virtual void Quit() = 0;
    // Screen cursor position; false when it cannot be read.
    virtual bool CursorPos(int& x, int& y) = 0;

    // The boundary that timer ticks run through (none: errors pass on to the caller).
    void SetBoundary(ErrorBoundary* boundary) { boundary_ = boundary; }
    ErrorBoundary* Boundary() const { return boundary_; }

  private:
    ErrorBoundary* boundary_ = nullptr;
};

}  // namespace plat
