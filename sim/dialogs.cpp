#include "sim/dialogs.h"

#include <array>
#include <utility>

namespace sim {

int Dialogs::DefaultButton(std::uint32_t type) {
    constexpr int kAbort = 3, kRetry = 4, kIgnore = 5;
    // Buttons of each MB_TYPEMASK value, left to right; 0 where there is none.
    static constexpr std::array<std::array<int, 3>, 6> kButtons = {{
        {plat::kIdOk, 0, 0},
        {plat::kIdOk, plat::kIdCancel, 0},
        {kAbort, kRetry, kIgnore},
        {plat::kIdYes, plat::kIdNo, plat::kIdCancel},
        {plat::kIdYes, plat::kIdNo, 0},
        {kRetry, plat::kIdCancel, 0},
    }};
    const std::uint32_t kind = type & 0xF;
    if (kind >= kButtons.size()) return plat::kIdOk;
    const std::uint32_t def = (type >> 8) & 0xF;  // MB_DEFMASK
    // A default beyond the last button falls back to the first, as in Windows.
    const int chosen = def < 3 ? kButtons[kind][def] : 0;
    return chosen != 0 ? chosen : kButtons[kind][0];
}

int Dialogs::ShowMessageBox(std::uintptr_t owner, std::string_view text, std::string_view caption,
                            std::uint32_t type) {
    const std::uint64_t number = boxes_.Total();
    boxes_.push_back({owner, std::string(text), std::string(caption), type, 0});
    if (whileOpen_) {
        const MessageBoxCall call = boxes_.back();  // the hook may open more boxes
        whileOpen_(call);
    }
    int answer = DefaultButton(type);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    // Boxes opened under this one may have pushed it out of the record.
    if (number >= boxes_.FirstKept()) boxes_[number - boxes_.FirstKept()].answer = answer;
    return answer;
}

void Dialogs::Beep(std::uint32_t type) {
    beeps_.push_back(type);
}

void Dialogs::QueueAnswer(int button) {
    answers_.push_back(button);
}

void Dialogs::Clear() {
    boxes_.clear();
    beeps_.clear();
    answers_.clear();
}

}  // namespace sim
