#include "ui/pages.h"

#include <algorithm>

namespace ui {

PageControl* TabSheet::GetPageControl() const {
    return dynamic_cast<PageControl*>(Parent());
}

int TabSheet::PageIndex() const {
    PageControl* pc = GetPageControl();
    if (!pc) return -1;
    const auto& pages = pc->Pages();
    auto at = std::find(pages.begin(), pages.end(), this);
    return at == pages.end() ? -1 : static_cast<int>(at - pages.begin());
}

void TabSheet::SetTabVisible(bool visible) {
    if (visible == tabVisible_) return;
    PageControl* pc = GetPageControl();
    int oldTab = pc ? pc->TabIndexOf(*this) : -1;
    tabVisible_ = visible;
    if (pc) {
        pc->TabVisibilityChanged(*this, oldTab);
    } else {
        Notify(Change::Pages);
    }
}

TabSheet* PageControl::Page(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[index];
}

std::vector<TabSheet*> PageControl::VisibleTabs() const {
    std::vector<TabSheet*> tabs;
    for (TabSheet* p : pages_) {
        if (p->TabVisible()) tabs.push_back(p);
    }
    return tabs;
}

int PageControl::TabIndexOf(const TabSheet& page) const {
    int i = 0;
    for (TabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        if (p == &page) return i;
        ++i;
    }
    return -1;
}

int PageControl::ActivePageIndex() const {
    return active_ ? active_->PageIndex() : -1;
}

void PageControl::Activate(TabSheet* page) {
    if (page == active_) return;
    active_ = page;
    Notify(Change::Pages);
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page && page->GetPageControl() != this) return;
    Activate(page);
}

void PageControl::SetActivePageIndex(int index) {
    Activate(Page(index));
}

bool PageControl::UserChangePage(int pageIndex) {
    TabSheet* page = Page(pageIndex);
    return page && UserChangePage(*page);
}

bool PageControl::UserChangePage(TabSheet& page) {
    if (!AcceptsInput() || page.GetPageControl() != this || !page.TabVisible()) return false;
    if (&page == active_) return true;
    Activate(&page);
    if (OnChange) OnChange();
    return true;
}

bool PageControl::ShowsChild(const Control& child) const {
    if (child.GetKind() == Kind::TabSheet) return &child == active_;
    return true;
}

void PageControl::TabVisibilityChanged(TabSheet& page, int oldTab) {
    if (!page.TabVisible() && &page == active_) {
        auto tabs = VisibleTabs();
        int i = std::min(oldTab, static_cast<int>(tabs.size()) - 1);
        active_ = i >= 0 ? tabs[i] : nullptr;
    }
    Notify(Change::Pages);
}

void PageControl::ChildAdded(Control& child) {
    auto* page = dynamic_cast<TabSheet*>(&child);
    if (!page) return;
    pages_.push_back(page);
    PlacePages();
    Notify(Change::Pages);
}

void PageControl::ChildRemoved(Control& child) {
    auto at = std::find(pages_.begin(), pages_.end(), &child);
    if (at == pages_.end()) return;
    pages_.erase(at);
    if (active_ == &child) active_ = nullptr;
    Notify(Change::Pages);
}

void PageControl::BoundsChanged() {
    PlacePages();
}

void PageControl::PlacePages() {
    for (TabSheet* p : pages_) {
        p->SetBounds(kBorder, kTabHeight, std::max(Width() - 2 * kBorder, 0),
                     std::max(Height() - kTabHeight - kBorder, 0));
    }
}

}  // namespace ui
