// Where an error that escapes a handler stops: every entry from Windows into the program (a
// window procedure, a timer procedure, an export) runs through one of these, so an error ends
// the handler that raised it, is shown once, and the next message runs as usual.
#pragma once
#include <cstddef>
#include <exception>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

class Dialogs;

class ErrorBoundary {
  public:
    using Reporter = std::function<void(std::string_view text)>;

    ErrorBoundary() = default;
    explicit ErrorBoundary(Reporter report) : report_(std::move(report)) {}
    ErrorBoundary(const ErrorBoundary&) = delete;
    ErrorBoundary& operator=(const ErrorBoundary&) = delete;

    void SetReporter(Reporter report) { report_ = std::move(report); }

    // Runs one entry. False when an error escaped it; the error has then been reported.
    template <class F>
    bool Run(F&& entry) noexcept {
        try {
            entry();
            return true;
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("Unknown error");
        }
        return false;
    }

    // Errors that escaped an entry so far.
    std::size_t Errors() const { return errors_; }

  private:
    void Report(std::string_view text) noexcept;

    Reporter report_;
    std::size_t errors_ = 0;
    // An entry that runs while the box of an earlier error is open (a timer ticking under the
    // modal box) would stack boxes for as long as it keeps failing: it is only counted.
    bool reporting_ = false;
};

// The standard error box of the program: its title as caption, OK, the error icon.
ErrorBoundary::Reporter ErrorBox(Dialogs& dialogs, std::string caption,
                                 std::function<std::uintptr_t()> owner);

}  // namespace plat
