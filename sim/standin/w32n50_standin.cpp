// Stand-in for the packet-access library, for tests and the demo under Wine; never shipped. The
// same exports, with the simulated ZN6200 behind them: one card, made on the first call, over
// the Windows registry (where the radio environment and the card's slot are seeded, see
// sim/zn6200.h), the tick count and the running Windows' version. Wine cannot restart a device,
// so the card takes up changed driver parameters by itself, as a restart would. It reads the
// radio environment and the parameters again at most once a second: Wine does not reliably
// signal changes to a tree of keys. The card's own key (presence, addresses) it watches with a
// change notification, since every request looks at it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/packet.h"
#include "sim/zn6200.h"
#include "win32/registry.h"
#include "win32/system.h"

namespace {

// The 32-bit build's thread model has no std::mutex.
class Lock {
  public:
    Lock() { InitializeCriticalSection(&cs_); }
    ~Lock() { DeleteCriticalSection(&cs_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    void Enter() { EnterCriticalSection(&cs_); }
    void Leave() { LeaveCriticalSection(&cs_); }

  private:
    CRITICAL_SECTION cs_;
};

class Held {
  public:
    explicit Held(Lock& l) : lock_(l) { lock_.Enter(); }
    ~Held() { lock_.Leave(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

  private:
    Lock& lock_;
};

// Counts the changes to one key's values, from its change notification. Where the key cannot be
// watched (not there yet, or deleted), every look counts as a change.
class KeyWatch {
  public:
    explicit KeyWatch(const char* path)
        : path_(path), event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~KeyWatch() {
        Close();
        if (event_) CloseHandle(event_);
    }
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    std::uint64_t Stamp() {
        if (!key_ || WaitForSingleObject(event_, 0) == WAIT_OBJECT_0) {
            ++changes_;
            Arm();
        }
        return changes_;
    }

  private:
    // Armed before the caller reads the key, so a change after that read is not missed.
    void Arm() {
        if (!event_) return;
        if (!key_ && RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_NOTIFY, &key_) !=
                         ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        if (RegNotifyChangeKeyValue(key_, FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_, TRUE) !=
            ERROR_SUCCESS)
            Close();
    }
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }

    std::string path_;
    HANDLE event_;
    HKEY key_ = nullptr;
    std::uint64_t changes_ = 0;
};

class StandIn {
  public:
    StandIn()
        : card_(
              registry_, [this] { return Now(); }, [this] { return system_.Version(); },
              sim::Zn6200Options{.followRegistry = true,
                                 .radioStamp = [this] { return Now() / 1000; },
                                 .parameterStamp = [this] { return Now() / 1000; },
                                 .cardStamp = [this] { return cardWatch_.Stamp(); }}) {}

    // Every call holds the lock: a caller may use the library from more than one thread.
    template <class F>
    auto Call(F f) {
        Held held(lock_);
        return f(card_);
    }

  private:
    // The tick count wraps after 49.7 days; carry it on past that (GetTickCount64 is Vista's).
    std::uint64_t Now() {
        DWORD t = GetTickCount();
        if (t < lastTick_) wraps_ += std::uint64_t{1} << 32;
        lastTick_ = t;
        return wraps_ + t;
    }

    Lock lock_;
    win32::Registry registry_;
    win32::System system_;
    DWORD lastTick_ = 0;
    std::uint64_t wraps_ = 0;
    KeyWatch cardWatch_{std::string(sim::kCardKey).c_str()};
    sim::Zn6200 card_;
};

StandIn& Library() {
    static StandIn library;
    return library;
}

}  // namespace

extern "C" {

int W32N_IsWindowsNT(void) {
    return Library().Call([](sim::Zn6200& c) { return c.IsWindowsNT() ? 1 : 0; });
}

int W32N_IsWindows95(void) {
    return Library().Call([](sim::Zn6200& c) { return c.IsWindows95() ? 1 : 0; });
}

std::uint32_t W32N_OSGetPlatformVersion(std::uint32_t selector) {
    return Library().Call([=](sim::Zn6200& c) { return c.OSGetPlatformVersion(selector); });
}

int W32N_GetAdapterRegistryInfo(void* record, const char* subkeyName) {
    return Library().Call([=](sim::Zn6200& c) {
        return c.GetAdapterRegistryInfo(static_cast<std::uint8_t*>(record), subkeyName) ? 1 : 0;
    });
}

void* W32N_OpenAdapterA(const char* name) {
    return Library().Call([=](sim::Zn6200& c) { return c.OpenAdapter(name); });
}

std::uint32_t W32N_GetLastError(void) {
    return Library().Call([](sim::Zn6200& c) { return c.GetLastError(); });
}

std::uint32_t W32N_MakeNdisRequest(void* handle, void* request, void* overlapped, int wait) {
    return Library().Call([=](sim::Zn6200& c) {
        return c.MakeNdisRequest(handle, static_cast<plat::NdisRequestBlock*>(request), overlapped,
                                 wait);
    });
}

int W32N_SetBPFProgram(void* handle, const void* program, std::uint32_t length) {
    return Library().Call(
        [=](sim::Zn6200& c) { return c.SetBPFProgram(handle, program, length) ? 1 : 0; });
}

int W32N_CancelPacketRead(void* handle, void* read) {
    return Library().Call([=](sim::Zn6200& c) { return c.CancelPacketRead(handle, read) ? 1 : 0; });
}

int W32N_CloseAdapter(void* handle) {
    return Library().Call([=](sim::Zn6200& c) { return c.CloseAdapter(handle) ? 1 : 0; });
}

}  // extern "C"
