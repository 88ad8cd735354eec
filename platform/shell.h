// Notification area (tray icon) seam.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// Size of the notify-icon record the program hands the shell (NOTIFYICONDATA, version 5).
inline constexpr std::uint32_t kNotifyIconRecordSize = 488;
inline constexpr std::size_t kNotifyTipChars = 128;  // with the terminator

// The fields of the notify-icon record the program fills. icon names a picture of the
// program's own (0 for none); owner is the window that gets the callback message.
struct NotifyIconRecord {
    std::uintptr_t owner = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    int icon = 0;
    std::string tip;  // cut to kNotifyTipChars - 1
};

class Shell {
  public:
    virtual ~Shell() = default;
    // As the shell does, refuses to add an icon that is there or to modify or delete one
    // that is not. An icon is known by owner and id.
    virtual bool NotifyIcon(std::uint32_t action, const NotifyIconRecord& record) = 0;
};

}  // namespace plat
