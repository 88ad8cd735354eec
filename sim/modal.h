// The simulated PC's modal loops: each dialog or sheet that opens runs the next scripted user
// session, which acts on its controls and ends it; with no session left it is cancelled, unless
// a session for unexpected windows was set.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace sim {

class ModalRunner final : public ui::ModalRunner {
  public:
    using DialogSession = std::function<void(ui::Dialog&)>;
    using SheetSession = std::function<void(ui::PropertySheet&)>;

    void ExpectDialog(DialogSession session) { dialogs_.push_back(std::move(session)); }
    void ExpectSheet(SheetSession session) { sheets_.push_back(std::move(session)); }
    // Runs a window that no queued session was expected for (by default it is just cancelled).
    void WhenUnexpected(DialogSession dialog, SheetSession sheet) {
        unexpectedDialog_ = std::move(dialog);
        unexpectedSheet_ = std::move(sheet);
    }

    int RunModal(ui::Dialog& dialog) override;
    int RunModal(ui::PropertySheet& sheet) override;

    // Names of the dialogs and sheets run so far, in order.
    const std::vector<std::string>& Opened() const { return opened_; }

  private:
    std::deque<DialogSession> dialogs_;
    std::deque<SheetSession> sheets_;
    DialogSession unexpectedDialog_;
    SheetSession unexpectedSheet_;
    std::vector<std::string> opened_;
};

}  // namespace sim
