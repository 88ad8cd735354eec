// Simulated message boxes: recorded, and answered from a script.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "sim/recent.h"

namespace sim {

struct MessageBoxCall {
    std::uintptr_t owner = 0;
    std::string text;
    std::string caption;
    std::uint32_t type = 0;
    int answer = 0;
};

// A box takes the next queued answer; with none queued it takes its default button, as if
// the user pressed Enter: the first button (OK, Abort, Yes or Retry), or the second or third
// when the type asks for it with MB_DEFBUTTON2/3.
class Dialogs final : public plat::Dialogs {
  public:
    int ShowMessageBox(std::uintptr_t owner, std::string_view text, std::string_view caption,
                       std::uint32_t type) override;
    void Beep(std::uint32_t type) override;

    void QueueAnswer(int button);
    std::size_t PendingAnswers() const { return answers_.size(); }
    // Runs while a box is open, as a real box's own message loop does (timers keep firing
    // under a modal box); the call is already recorded, its answer not yet decided.
    void WhileOpen(std::function<void(const MessageBoxCall&)> hook) {
        whileOpen_ = std::move(hook);
    }

    // The latest boxes and beeps.
    const Recent<MessageBoxCall>& Boxes() const { return boxes_; }
    const Recent<std::uint32_t>& Beeps() const { return beeps_; }
    void Clear();

    // The button a box of this type answers with when Enter is pressed.
    static int DefaultButton(std::uint32_t type);

  private:
    std::deque<int> answers_;
    Recent<MessageBoxCall> boxes_;
    Recent<std::uint32_t> beeps_;
    std::function<void(const MessageBoxCall&)> whileOpen_;
};

}  // namespace sim
