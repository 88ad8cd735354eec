// Dialogs made from templates and property sheets of such pages: the models that the
// configurator library's windows run on. A binding (or a simulated host) runs them modally.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/form.h"

namespace ui {

// Dialog results, as the message box ids.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;

// A control id and the help context shown for it.
struct HelpId {
    int control;
    std::uint32_t context;
};

// A modal dialog of a template; its controls are children carrying the template's ids.
class Dialog : public Form {
  public:
    Dialog(std::string name, int templateId);

    int TemplateId() const { return templateId_; }
    std::vector<HelpId> helpIds;

    // The window exists; its controls show what the template says until this changes them.
    std::function<void()> OnInitDialog;
    // Without a handler OK and Cancel end the dialog with their result.
    std::function<void()> OnOK;
    std::function<void()> OnCancel;

    void InitDialog();
    void EndDialog(int result);
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

    bool UserOK();
    bool UserCancel();

  private:
    int templateId_;
    bool ended_ = false;
    int result_ = 0;
};

class PropertySheet;

// One page of a property sheet, made from its own template when first shown; only the page on
// view shows.
class PropertyPage : public Form {
  public:
    PropertyPage(std::string name, int templateId);

    int TemplateId() const { return templateId_; }
    PropertySheet* Sheet() const { return sheet_; }
    // Made when first shown; only made pages take part in Apply.
    bool Made() const { return made_; }

    std::function<void()> OnInitDialog;
    std::function<void()> OnSetActive;
    // False keeps the page on view (its checks failed).
    std::function<bool()> OnKillActive;
    // False keeps the sheet open with this page on view.
    std::function<bool()> OnApply;
    std::function<void()> OnReset;

    // A page in a sheet of another program's brings its own context help: these, when set,
    // serve in place of its sheet's.
    std::vector<HelpId> helpIds;
    std::string helpFile;

    // The sheet's Apply button follows whether any page has unsaved changes.
    void SetModified(bool modified);
    bool Modified() const { return modified_; }

    // What happens to the page, as its sheet (a model, or a real one through a binding) says.
    void Create();
    void SetActive();
    bool KillActive();
    bool Apply();
    void Reset();

  private:
    friend class PropertySheet;
    int templateId_;
    PropertySheet* sheet_ = nullptr;
    bool made_ = false;
    bool modified_ = false;
};

class PropertySheet : public Component {
  public:
    explicit PropertySheet(std::string name, std::string caption = {});

    const std::string& Caption() const { return caption_; }
    std::vector<HelpId> helpIds;
    // Without one the sheet has only OK and Cancel.
    bool ApplyButton() const { return applyButton_; }
    void SetApplyButton(bool shown) { applyButton_ = shown; }

    void AddPage(PropertyPage& page);
    const std::vector<PropertyPage*>& Pages() const { return pages_; }
    PropertyPage* Page(int index) const;
    // The page shown first; an index out of range shows the first page.
    void SetStartPage(int index) { startPage_ = index; }
    int StartPage() const { return startPage_; }
    PropertyPage* ActivePage() const { return active_; }
    int ActiveIndex() const;
    bool ApplyEnabled() const;

    // The sheet opens on its start page.
    void Start();
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

    // The user picks a tab: refused while the page on view vetoes leaving.
    bool UserSelectPage(int index);
    // OK: the page on view may veto; then every made page applies in order, and a page that
    // refuses is shown and keeps the sheet open.
    bool UserOK();
    // The same without closing; only while Apply is enabled.
    bool UserApply();
    bool UserCancel();
    // A real sheet closed with that result.
    void Ended(int result);

  private:
    friend class PropertyPage;
    bool Activate(PropertyPage& page);
    bool ApplyAll();
    void End(int result);

    std::string caption_;
    std::vector<PropertyPage*> pages_;
    PropertyPage* active_ = nullptr;
    int startPage_ = 0;
    bool applyButton_ = true;
    bool ended_ = false;
    int result_ = 0;
};

// Runs a dialog or a sheet modally and returns its result.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    virtual int RunModal(Dialog& dialog) = 0;
    virtual int RunModal(PropertySheet& sheet) = 0;
};

}  // namespace ui
