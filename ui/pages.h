// Page control with tab sheets: one active page shows; tabs can be hidden.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class PageControl;

// A page; its parent must be a PageControl. Its bounds are set by the page control.
class TabSheet : public Captioned {
  public:
    explicit TabSheet(std::string name = {}) : Captioned(Kind::TabSheet, std::move(name)) {}
    PageControl* GetPageControl() const;
    // Index among all pages (tabs shown or not); -1 without a page control.
    int PageIndex() const;
    bool TabVisible() const { return tabVisible_; }
    // Hiding the active page's tab activates the page of the next shown tab (the previous one
    // when it was the last); runs no handler.
    void SetTabVisible(bool visible);

  private:
    bool tabVisible_ = true;
};

class PageControl : public Control {
  public:
    // Room the tabs take above a page, and the page's border.
    static constexpr int kTabHeight = 24;
    static constexpr int kBorder = 4;

    explicit PageControl(std::string name = {}) : Control(Kind::PageControl, std::move(name)) {}

    const std::vector<TabSheet*>& Pages() const { return pages_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet* Page(int index) const;
    // Pages whose tabs are shown, in order.
    std::vector<TabSheet*> VisibleTabs() const;
    // Position of a page's tab among the shown tabs; -1 when its tab is hidden.
    int TabIndexOf(const TabSheet& page) const;

    TabSheet* ActivePage() const { return active_; }
    int ActivePageIndex() const;
    // Run no handler. A page of another control is ignored; nullptr or -1 shows no page.
    void SetActivePage(TabSheet* page);
    void SetActivePageIndex(int index);

    // Runs after the user changed the page.
    std::function<void()> OnChange;
    // The user clicks the tab of a page; refused when the tab is hidden. Clicking the active
    // page's tab changes nothing and runs no handler.
    bool UserChangePage(int pageIndex);
    bool UserChangePage(TabSheet& page);

    bool ShowsChild(const Control& child) const override;

    // Internal: a page's tab was hidden or shown; oldTab is where its tab was.
    void TabVisibilityChanged(TabSheet& page, int oldTab);

  protected:
    void ChildAdded(Control& child) override;
    void ChildRemoved(Control& child) override;
    void BoundsChanged() override;

  private:
    void PlacePages();
    void Activate(TabSheet* page);

    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
};

}  // namespace ui
