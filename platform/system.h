// OS family and version, the shutdown privilege and restart, named events.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

namespace plat {

enum class OsFamily { Win95, NT };

struct OsVersion {
    OsFamily family = OsFamily::NT;
    std::uint32_t major = 5;
    std::uint32_t minor = 1;
    bool operator==(const OsVersion&) const = default;
};

// A kernel event object; closed by the destructor.
class Event {
  public:
    virtual ~Event() = default;
    // The native handle, for records such as OVERLAPPED that carry it.
    virtual void* Native() const = 0;
};

class System {
  public:
    virtual ~System() = default;
    virtual OsVersion Version() = 0;
    // Whether a named event exists (opened with full access and closed again).
    virtual bool EventExists(std::string_view name) = 0;
    // nullptr on failure. An empty name makes an unnamed event.
    virtual std::unique_ptr<Event> NewEvent(std::string_view name, bool manualReset,
                                            bool initialState) = 0;
    // Enables the shutdown privilege in the process token (NT family; fails on the 95 family,
    // which has no tokens). True only when the privilege was really granted.
    virtual bool EnableShutdownPrivilege() = 0;
    // Restarts the computer. force ends programs without asking them (NT family's EWX_FORCE).
    virtual bool Restart(bool force) = 0;
};

}  // namespace plat
