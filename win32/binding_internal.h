// What the binding's source files share; nothing outside the binding includes this.
#pragma once
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>
// The property-sheet call's macro would rename the sheet model.
#undef PropertySheet

#include <string>

#include "ui/ui.h"
#include "win32/binding.h"

namespace win32::binding_detail {

// The property that leads a subclassed control's messages to its binding.
inline constexpr char kBindingProp[] = "VelmoraBinding";

// A model colour as a COLORREF; the default colour is the system colour fallbackIndex.
COLORREF Resolve(ui::Color c, int fallbackIndex);
std::string WindowText(HWND h);
LONG_PTR Style(HWND h);
// A static control's style bits for a label's alignment, layout and border.
DWORD StaticStyle(const ui::Label& l);

// Counts a push in progress for as long as it lives.
class Pushing {
  public:
    explicit Pushing(int& n) : n_(n) { ++n_; }
    ~Pushing() { --n_; }
    Pushing(const Pushing&) = delete;
    Pushing& operator=(const Pushing&) = delete;

  private:
    int& n_;
};

// Entries from Windows for the windows of our classes; each runs the binding's handlers
// through its Guard.
LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK GraphProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace win32::binding_detail
