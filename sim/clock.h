// The simulated message loop: window timers in virtual time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/loop.h"
#include "sim/recent.h"

namespace sim {

// Nothing moves by itself: time passes only through Advance and Sleep. A timer fires when
// its due time is reached inside Advance or is already past at ProcessMessages, and is then
// re-armed one interval after the moment it fired. A timer that is late (its due time went
// by during a Sleep or a long handler) therefore fires once and does not catch up.
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

    // Virtual milliseconds since the loop was made.
    std::uint64_t NowMs() const;
    // Moves the clock ms forward, firing every timer that falls due on the way in time order
    // (equal times in the order the timers were started).
    void Advance(std::uint64_t ms);

    bool QuitRequested() const;
    void SetCursor(int x, int y);
    void SetCursorFails(bool fails);

    std::size_t ActiveTimers() const;
    // Intervals of the running timers, in start order.
    std::vector<std::uint32_t> ActiveIntervals() const;
    // The latest Sleeps in order, and how often ProcessMessages ran.
    const Recent<std::uint32_t>& Sleeps() const;
    std::size_t ProcessMessagesCalls() const;

    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace sim
