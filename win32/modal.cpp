#include "win32/modal.h"

#include <memory>
#include <stdexcept>
#include <vector>

namespace win32 {

namespace {

// What a dialog or page window runs with, kept in its window data.
struct Run {
    ModalRunner* runner = nullptr;
    ui::Dialog* dialog = nullptr;
    ui::PropertyPage* page = nullptr;
    // EndDialog hides the window, whose messages come back here: end it once only.
    bool ending = false;
};

void Attach(Binding& binding, HWND hwnd, ui::Control& root) {
    const auto mismatches = binding.AttachDialog(hwnd, root);
    if (mismatches.empty()) return;
    std::string text = "The dialog template does not match its controls:";
    for (const auto& m : mismatches) text += "\n" + m;
    throw std::runtime_error(text);
}

// The help ids as WinHelp takes them: pairs ended by 0, 0.
std::vector<DWORD> HelpTable(const std::vector<ui::HelpId>& ids) {
    std::vector<DWORD> table;
    for (const ui::HelpId& h : ids) {
        table.push_back(static_cast<DWORD>(h.control));
        table.push_back(h.context);
    }
    table.push_back(0);
    table.push_back(0);
    return table;
}

bool Help(const std::string& helpFile, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
          const std::vector<ui::HelpId>& ids) {
    if (ids.empty() || helpFile.empty()) return false;
    auto table = HelpTable(ids);
    const char* file = helpFile.c_str();
    if (msg == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lp);
        if (!info || info->iContextType != HELPINFO_WINDOW) return false;
        WinHelpA(static_cast<HWND>(info->hItemHandle), file, HELP_WM_HELP,
                 reinterpret_cast<ULONG_PTR>(table.data()));
        return true;
    }
    if (reinterpret_cast<HWND>(wp) == hwnd) return false;
    WinHelpA(reinterpret_cast<HWND>(wp), file, HELP_CONTEXTMENU,
             reinterpret_cast<ULONG_PTR>(table.data()));
    return true;
}

// A dialog procedure returns these messages' answers itself; the rest go in DWLP_MSGRESULT.
INT_PTR Answer(HWND hwnd, UINT msg, LRESULT result) {
    const bool direct = (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
                        msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
                        msg == WM_QUERYDRAGICON;
    if (direct) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_USER, lp);
    auto* run = reinterpret_cast<Run*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!run || !run->dialog) return FALSE;
    ui::Dialog& dialog = *run->dialog;
    Binding& binding = run->runner->GetBinding();
    INT_PTR handled = FALSE;
    binding.Guard([&] {
        if (msg == WM_INITDIALOG) {
            dialog.SetHandle(reinterpret_cast<std::uintptr_t>(hwnd));
            Attach(binding, hwnd, dialog);
            // On screen from here: a model that is not shown takes no clicks.
            dialog.Show();
            dialog.InitDialog();
            handled = TRUE;
        } else if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) &&
                   HIWORD(wp) == BN_CLICKED) {
            LOWORD(wp) == IDOK ? dialog.UserOK() : dialog.UserCancel();
            handled = TRUE;
        } else if (msg == WM_HELP || msg == WM_CONTEXTMENU) {
            handled = Help(run->runner->HelpFile(), hwnd, msg, wp, lp, dialog.helpIds);
        } else {
            LRESULT result = 0;
            if (binding.HandleMessage(hwnd, msg, wp, lp, result))
                handled = Answer(hwnd, msg, result);
        }
    });
    if (dialog.Ended() && !run->ending) {
        run->ending = true;
        EndDialog(hwnd, dialog.Result());
    }
    return handled;
}

INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lp);
        SetWindowLongPtrA(hwnd, DWLP_USER, psp ? psp->lParam : 0);
    }
    auto* run = reinterpret_cast<Run*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!run || !run->page) return FALSE;
    ui::PropertyPage& page = *run->page;
    Binding& binding = run->runner->GetBinding();
    INT_PTR handled = FALSE;
    binding.Guard([&] {
        if (msg == WM_INITDIALOG) {
            page.SetHandle(reinterpret_cast<std::uintptr_t>(hwnd));
            Attach(binding, hwnd, page);
            page.Show();
            page.Create();
            handled = TRUE;
            return;
        }
        if (msg == WM_NOTIFY) {
            const auto* n = reinterpret_cast<const NMHDR*>(lp);
            LRESULT result = 0;
            bool ours = true;
            switch (n->code) {
                case PSN_SETACTIVE:
                    page.SetActive();
                    break;
                case PSN_KILLACTIVE:
                    result = page.KillActive() ? FALSE : TRUE;
                    break;
                case PSN_APPLY:
                    result = page.Apply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
                    break;
                case PSN_RESET:
                    page.Reset();
                    break;
                default:
                    ours = false;
            }
            if (ours) {
                SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
                handled = TRUE;
                return;
            }
        }
        if (msg == WM_HELP || msg == WM_CONTEXTMENU) {
            const ui::PropertySheet* sheet = page.Sheet();
            const std::vector<ui::HelpId> none;
            const auto& ids = !page.helpIds.empty() ? page.helpIds : sheet ? sheet->helpIds : none;
            handled = Help(page.helpFile.empty() ? run->runner->HelpFile() : page.helpFile, hwnd,
                           msg, wp, lp, ids);
            return;
        }
        LRESULT result = 0;
        if (binding.HandleMessage(hwnd, msg, wp, lp, result)) handled = Answer(hwnd, msg, result);
    });
    return handled;
}

// Page data that outlives a sheet the runner did not make: released with the page.
UINT CALLBACK PageRelease(HWND, UINT msg, LPPROPSHEETPAGEA psp) {
    if (msg == PSPCB_RELEASE && psp) delete reinterpret_cast<Run*>(psp->lParam);
    return 1;
}

PROPSHEETPAGEA PageTemplate(HINSTANCE resources, ui::PropertyPage& page, Run& run) {
    PROPSHEETPAGEA psp{};
    psp.dwSize = sizeof psp;
    psp.dwFlags = PSP_DEFAULT;
    psp.hInstance = resources;
    psp.pszTemplate = MAKEINTRESOURCEA(page.TemplateId());
    psp.pfnDlgProc = PageProc;
    psp.lParam = reinterpret_cast<LPARAM>(&run);
    return psp;
}

}  // namespace

ModalRunner::ModalRunner(Binding& binding, HINSTANCE resources, std::string helpFile)
    : binding_(binding), resources_(resources), helpFile_(std::move(helpFile)) {}

int ModalRunner::RunModal(ui::Dialog& dialog) {
    Run run{this, &dialog, nullptr};
    const INT_PTR r = DialogBoxParamA(resources_, MAKEINTRESOURCEA(dialog.TemplateId()), owner_,
                                      DialogProc, reinterpret_cast<LPARAM>(&run));
    dialog.SetHandle(0);
    if (!dialog.Ended()) dialog.EndDialog(r > 0 ? static_cast<int>(r) : ui::kResultCancel);
    return dialog.Result();
}

int ModalRunner::RunModal(ui::PropertySheet& sheet) {
    std::vector<std::unique_ptr<Run>> runs;
    std::vector<PROPSHEETPAGEA> pages;
    for (ui::PropertyPage* p : sheet.Pages()) {
        runs.push_back(std::make_unique<Run>(Run{this, nullptr, p}));
        pages.push_back(PageTemplate(resources_, *p, *runs.back()));
    }
    PROPSHEETHEADERA h{};
    h.dwSize = sizeof h;
    h.dwFlags = PSH_PROPSHEETPAGE | (sheet.ApplyButton() ? 0 : PSH_NOAPPLYNOW);
    h.hwndParent = owner_;
    h.hInstance = resources_;
    h.pszCaption = sheet.Caption().c_str();
    h.nPages = static_cast<UINT>(pages.size());
    h.nStartPage = static_cast<UINT>(sheet.StartPage() >= 0 &&
                                             sheet.StartPage() < static_cast<int>(pages.size())
                                         ? sheet.StartPage()
                                         : 0);
    h.ppsp = pages.data();
    const INT_PTR r = PropertySheetA(&h);
    sheet.Ended(r > 0 ? ui::kResultOk : ui::kResultCancel);
    return sheet.Result();
}

HPROPSHEETPAGE ModalRunner::CreatePage(ui::PropertyPage& page) {
    auto run = std::make_unique<Run>(Run{this, nullptr, &page});
    PROPSHEETPAGEA psp = PageTemplate(resources_, page, *run);
    psp.dwFlags |= PSP_USECALLBACK;
    psp.pfnCallback = PageRelease;
    HPROPSHEETPAGE h = CreatePropertySheetPageA(&psp);
    if (h) run.release();  // the page's release callback frees it
    return h;
}

}  // namespace win32
