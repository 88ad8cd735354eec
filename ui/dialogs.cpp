#include "ui/dialogs.h"

#include <algorithm>

namespace ui {

Dialog::Dialog(std::string name, int templateId) : Form(std::move(name)), templateId_(templateId) {}

void Dialog::InitDialog() {
    ended_ = false;
    result_ = 0;
    if (OnInitDialog) OnInitDialog();
}

void Dialog::EndDialog(int result) {
    ended_ = true;
    result_ = result;
}

bool Dialog::UserOK() {
    if (ended_) return false;
    if (OnOK)
        OnOK();
    else
        EndDialog(kResultOk);
    return true;
}

bool Dialog::UserCancel() {
    if (ended_) return false;
    if (OnCancel)
        OnCancel();
    else
        EndDialog(kResultCancel);
    return true;
}

PropertyPage::PropertyPage(std::string name, int templateId)
    : Form(std::move(name)), templateId_(templateId) {}

void PropertyPage::SetModified(bool modified) {
    modified_ = modified;
}

void PropertyPage::Create() {
    if (made_) return;
    made_ = true;
    if (OnInitDialog) OnInitDialog();
}

void PropertyPage::SetActive() {
    if (sheet_) sheet_->active_ = this;
    if (OnSetActive) OnSetActive();
}

bool PropertyPage::KillActive() {
    return !OnKillActive || OnKillActive();
}

bool PropertyPage::Apply() {
    if (OnApply && !OnApply()) return false;
    SetModified(false);
    return true;
}

void PropertyPage::Reset() {
    if (OnReset) OnReset();
}

PropertySheet::PropertySheet(std::string name, std::string caption)
    : Component(std::move(name)), caption_(std::move(caption)) {}

void PropertySheet::AddPage(PropertyPage& page) {
    page.sheet_ = this;
    pages_.push_back(&page);
}

PropertyPage* PropertySheet::Page(int index) const {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
    return pages_[static_cast<std::size_t>(index)];
}

int PropertySheet::ActiveIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

bool PropertySheet::ApplyEnabled() const {
    return applyButton_ && std::any_of(pages_.begin(), pages_.end(),
                                       [](const PropertyPage* p) { return p->Modified(); });
}

bool PropertySheet::Activate(PropertyPage& page) {
    page.Create();
    if (active_ && active_ != &page) active_->Hide();
    page.Show();
    page.SetActive();
    return true;
}

void PropertySheet::Start() {
    ended_ = false;
    result_ = 0;
    active_ = nullptr;
    for (PropertyPage* p : pages_) p->made_ = false;
    if (pages_.empty()) return;
    PropertyPage* first = Page(startPage_);
    Activate(first ? *first : *pages_.front());
}

void PropertySheet::Ended(int result) {
    End(result);
}

void PropertySheet::End(int result) {
    ended_ = true;
    result_ = result;
    if (active_) active_->Hide();
}

bool PropertySheet::UserSelectPage(int index) {
    PropertyPage* page = Page(index);
    if (ended_ || !page) return false;
    if (page == active_) return true;
    if (active_ && !active_->KillActive()) return false;
    return Activate(*page);
}

bool PropertySheet::ApplyAll() {
    if (active_ && !active_->KillActive()) return false;
    for (PropertyPage* p : pages_) {
        if (!p->made_ || p->Apply()) continue;
        if (p != active_) Activate(*p);
        return false;
    }
    return true;
}

bool PropertySheet::UserOK() {
    if (ended_) return false;
    if (ApplyAll()) End(kResultOk);
    return true;
}

bool PropertySheet::UserApply() {
    if (ended_ || !ApplyEnabled()) return false;
    ApplyAll();
    return true;
}

bool PropertySheet::UserCancel() {
    if (ended_) return false;
    for (PropertyPage* p : pages_)
        if (p->made_) p->Reset();
    End(kResultCancel);
    return true;
}

}  // namespace ui
