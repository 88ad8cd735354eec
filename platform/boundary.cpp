#include "platform/boundary.h"

#include "platform/dialogs.h"

namespace plat {

void ErrorBoundary::Report(std::string_view text) noexcept {
    ++errors_;
    try {
        if (reporting_ || !report_) return;
        reporting_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{reporting_};
        report_(text);
    } catch (...) {
        // Nothing is left to tell it with; the entry still returns normally.
    }
}

ErrorBoundary::Reporter ErrorBox(Dialogs& dialogs, std::string caption,
                                 std::function<std::uintptr_t()> owner) {
    return [&dialogs, caption = std::move(caption), owner = std::move(owner)](std::string_view t) {
        dialogs.ShowMessageBox(owner ? owner() : 0, t, caption, kMbOk | kMbIconError);
    };
}

}  // namespace plat
