// Modal dialogs and property sheets from a module's templates, with the models attached to
// their controls: the one dialog procedure and the one page procedure.
#pragma once
#include <windows.h>
// after windows.h
#include <commctrl.h>
// The property-sheet call's macro would rename the sheet model.
#undef PropertySheet

#include <string>

#include "ui/dialogs.h"
#include "win32/binding.h"

namespace win32 {

class ModalRunner final : public ui::ModalRunner {
  public:
    // Templates come from `resources` (the library's own module, never the host's); help
    // requests open `helpFile`.
    ModalRunner(Binding& binding, HINSTANCE resources, std::string helpFile = {});

    void SetOwner(HWND owner) { owner_ = owner; }
    int RunModal(ui::Dialog& dialog) override;
    int RunModal(ui::PropertySheet& sheet) override;

    // A page for a sheet that someone else runs (the device manager's); nullptr on failure.
    HPROPSHEETPAGE CreatePage(ui::PropertyPage& page);

    Binding& GetBinding() { return binding_; }
    const std::string& HelpFile() const { return helpFile_; }
    HINSTANCE Resources() const { return resources_; }

  private:
    Binding& binding_;
    HINSTANCE resources_;
    std::string helpFile_;
    HWND owner_ = nullptr;
};

}  // namespace win32
