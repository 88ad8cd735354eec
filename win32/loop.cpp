#include "win32/loop.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace win32 {

namespace {

constexpr char kWindowClass[] = "VelmoraTimerWindow";

struct Timer {
    std::function<void()> onTick;
    bool running = false;
};

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace

struct Loop::Core {
    HWND hwnd = nullptr;
    UINT_PTR nextId = 1;
    std::map<UINT_PTR, std::shared_ptr<Timer>> timers;
    // Timers run during the innermost ProcessMessages: it returns when one of them comes
    // round again, so a handler slower than its interval cannot keep that call going.
    std::vector<UINT_PTR>* pumped = nullptr;

    void OnTimer(UINT_PTR id) {
        auto it = timers.find(id);
        if (it == timers.end()) return;  // killed, with its last WM_TIMER still queued
        auto t = it->second;             // held: the handler may stop its own timer
        if (t->running) return;          // never re-entered; the tick is simply dropped
        if (pumped) pumped->push_back(id);
        t->running = true;
        struct Reset {
            Timer& t;
            ~Reset() { t.running = false; }
        } reset{*t};
        t->onTick();
    }
};

namespace {

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    } else if (msg == WM_TIMER) {
        if (auto* core = reinterpret_cast<Loop::Core*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            core->OnTimer(static_cast<UINT_PTR>(wp));
            return 0;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Keys move the focus between the controls of a window, as in a dialog: Tab, the arrows
// within a group, and the mnemonics.
void Dispatch(MSG& msg) {
    if (msg.hwnd && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HWND root = msg.hwnd;
        // GetAncestor is missing before 98 and 2000.
        while (root && (GetWindowLongPtrA(root, GWL_STYLE) & WS_CHILD)) root = GetParent(root);
        if (root && root != msg.hwnd && IsDialogMessageA(root, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

HWND MakeTimerWindow(Loop::Core* core) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = TimerWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);  // fails harmlessly when a loop before this one registered it
    // A message-only window where there are such (2000 and later); elsewhere a plain window
    // that is never shown.
    HWND hwnd =
        CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, core);
    if (!hwnd) {
        hwnd =
            CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, core);
    }
    return hwnd;
}

class Win32TimerHandle final : public plat::TimerHandle {
  public:
    Win32TimerHandle(std::weak_ptr<Loop::Core> core, UINT_PTR id)
        : core_(std::move(core)), id_(id) {}
    ~Win32TimerHandle() override {
        if (auto c = core_.lock()) {
            if (c->hwnd) KillTimer(c->hwnd, id_);
            c->timers.erase(id_);
        }
    }

  private:
    std::weak_ptr<Loop::Core> core_;
    UINT_PTR id_;
};

}  // namespace

Loop::Loop() : core_(std::make_shared<Core>()) {
    core_->hwnd = MakeTimerWindow(core_.get());
}

Loop::~Loop() {
    if (core_->hwnd) {
        SetWindowLongPtrA(core_->hwnd, GWLP_USERDATA, 0);
        DestroyWindow(core_->hwnd);  // kills its timers
        core_->hwnd = nullptr;
    }
}

bool Loop::Ready() const {
    return core_->hwnd != nullptr;
}

void Loop::Sleep(std::uint32_t ms) {
    ::Sleep(ms);
}

void Loop::ProcessMessages() {
    auto core = core_;  // a handler may destroy the loop
    std::vector<UINT_PTR> pumped;
    std::vector<UINT_PTR>* outer = std::exchange(core->pumped, &pumped);
    struct Restore {
        Core& c;
        std::vector<UINT_PTR>* outer;
        ~Restore() { c.pumped = outer; }
    } restore{*core, outer};
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the loop that runs the program.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && core->hwnd && msg.hwnd == core->hwnd &&
            std::find(pumped.begin(), pumped.end(), msg.wParam) != pumped.end()) {
            break;  // this timer already ran in this call: what was waiting has been served
        }
        Dispatch(msg);
    }
}

std::unique_ptr<plat::TimerHandle> Loop::StartTimer(std::uint32_t intervalMs,
                                                    std::function<void()> onTick) {
    const UINT_PTR id = core_->nextId++;
    auto t = std::make_shared<Timer>();
    t->onTick = std::move(onTick);
    core_->timers.emplace(id, std::move(t));
    if (core_->hwnd) SetTimer(core_->hwnd, id, intervalMs, nullptr);
    return std::make_unique<Win32TimerHandle>(core_, id);
}

void Loop::Quit() {
    PostQuitMessage(0);
}

bool Loop::CursorPos(int& x, int& y) {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    x = p.x;
    y = p.y;
    return true;
}

int Loop::Run() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        Dispatch(msg);
    }
}

}  // namespace win32
