#include "sim/modal.h"

namespace sim {

int ModalRunner::RunModal(ui::Dialog& dialog) {
    opened_.push_back(dialog.Name());
    dialog.Show();
    dialog.InitDialog();
    if (!dialogs_.empty()) {
        auto session = std::move(dialogs_.front());
        dialogs_.pop_front();
        session(dialog);
    }
    if (!dialog.Ended()) dialog.UserCancel();
    if (!dialog.Ended()) dialog.EndDialog(ui::kResultCancel);
    dialog.Hide();
    return dialog.Result();
}

int ModalRunner::RunModal(ui::PropertySheet& sheet) {
    opened_.push_back(sheet.Name());
    sheet.Start();
    if (!sheets_.empty()) {
        auto session = std::move(sheets_.front());
        sheets_.pop_front();
        session(sheet);
    }
    if (!sheet.Ended()) sheet.UserCancel();
    return sheet.Result();
}

}  // namespace sim
