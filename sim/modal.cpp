#include "sim/modal.h"

namespace sim {
namespace {

// The next queued session, else the one for unexpected windows (which may be empty).
template <class Session>
Session Next(std::deque<Session>& queue, const Session& unexpected) {
    if (queue.empty()) return unexpected;
    auto session = std::move(queue.front());
    queue.pop_front();
    return session;
}

}  // namespace

int ModalRunner::RunModal(ui::Dialog& dialog) {
    opened_.push_back(dialog.Name());
    dialog.Show();
    dialog.InitDialog();
    if (auto session = Next(dialogs_, unexpectedDialog_)) session(dialog);
    if (!dialog.Ended()) dialog.UserCancel();
    if (!dialog.Ended()) dialog.EndDialog(ui::kResultCancel);
    dialog.Hide();
    return dialog.Result();
}

int ModalRunner::RunModal(ui::PropertySheet& sheet) {
    opened_.push_back(sheet.Name());
    sheet.Start();
    if (auto session = Next(sheets_, unexpectedSheet_)) session(sheet);
    if (!sheet.Ended()) sheet.UserCancel();
    return sheet.Result();
}

}  // namespace sim
