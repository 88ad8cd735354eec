// Message boxes and beeps.
#pragma once
#include <cstdint>
#include <string_view>

namespace plat {

inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbOkCancel = 0x1;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbIconError = 0x10;  // MB_ICONHAND
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;  // MB_ICONEXCLAMATION
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbDefButton2 = 0x100;
inline constexpr std::uint32_t kMbDefButton3 = 0x200;
inline constexpr std::uint32_t kBeepSimple = 0xFFFFFFFF;  // MessageBeep's plain beep

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // owner 0 means no owner window. Returns the button chosen (kIdOk, ...).
    virtual int ShowMessageBox(std::uintptr_t owner, std::string_view text,
                               std::string_view caption, std::uint32_t type) = 0;
    virtual void Beep(std::uint32_t type) = 0;
};

}  // namespace plat
