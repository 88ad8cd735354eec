// The configuration library on the scenario's PC, opened as Windows opens it: by the control
// panel (the applet) or by the device manager (the card's "Settings" page). Its windows are
// modal; while one is open the script's next commands run inside it, one by one, until one of
// them closes it.
//
//   applet [PARAMETER]    the control panel opens the applet (with a parameter text as
//                         "control nicset01.cpl,,PARAMETER" passes it)
//   device-page           the device manager shows the card's property sheet
//   ok | cancel | apply   the buttons of the innermost window
//   sheet-page INDEX      the innermost sheet's tab
//   windows               the open windows, outermost first
// Controls of the open window are named by model name or by template id (click 1033).
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "nicset/applet.h"
#include "nicset/device_page.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/strings.h"
#include "platform/boundary.h"
#include "sim/control_panel.h"
#include "sim/modal.h"
#include "tools/scenario/engine.h"

namespace scenario {
namespace {

struct Window {
    ui::Dialog* dialog = nullptr;
    ui::PropertySheet* sheet = nullptr;
    bool Ended() const { return dialog ? dialog->Ended() : sheet->Ended(); }
    // What its controls are children of: the dialog, or the sheet's page on view.
    ui::Form* Root() const {
        return dialog ? static_cast<ui::Form*>(dialog)
                      : static_cast<ui::Form*>(sheet->ActivePage());
    }
};

class Library final : public Engine::WindowHost {
  public:
    explicit Library(Engine& e)
        : engine_(e),
          host_(e.platform()),
          app_({[](int id) { return std::string(nicset::StringText(id)); },
                [](int) -> void* { return nullptr; }, &modal_, "nicset01.dll"}),
          manager_(modal_) {
        boundary_.SetReporter(plat::ErrorBox(
            host_.dialogs, std::string(nicset::StringText(nicset::kIdsCaption)), nullptr));
        app_.InitInstance([this]() -> std::unique_ptr<nicset::AppletWindow> {
            return std::make_unique<nicset::CVNicCfgDlg>(host_, modal_);
        });
        modal_.WhenUnexpected(
            [this](ui::Dialog& d) {
                Drive({&d, nullptr});
            },
            [this](ui::PropertySheet& s) {
                Drive({nullptr, &s});
            });
    }

    bool WindowOpen() const override { return !open_.empty(); }

    ui::Component* FindInWindow(const std::string& name) override {
        ui::Form* root = open_.back().Root();
        if (!root) return nullptr;
        char* end = nullptr;
        const long id = std::strtol(name.c_str(), &end, 10);
        if (!name.empty() && end && *end == 0) return root->FindById(static_cast<int>(id));
        if (name == root->Name()) return root;
        return root->FindComponent(name);
    }

    // The innermost window, or nullptr with an error line.
    Window* Innermost(Output& out) {
        if (open_.empty()) out.push_back("error: no window of the library is open");
        return open_.empty() ? nullptr : &open_.back();
    }
    const std::vector<Window>& Open() const { return open_; }

    // False (with an error line) when the control panel refused the library.
    bool OpenApplet(const char* parameter, Output& out) {
        std::int32_t result = 1;
        boundary_.Run([&] {
            if (!loaded_)
                loaded_ =
                    panel_.Load([this](std::uintptr_t h, std::uint32_t m, std::intptr_t a,
                                       std::intptr_t b) { return app_.OnCplMsg(h, m, a, b); });
            if (loaded_) result = panel_.Open(0, parameter);
        });
        if (!loaded_) out.push_back("error: the control panel could not load the library");
        return result == 0;
    }

    bool ShowDevicePage(Output& out) {
        auto* card = engine_.card();
        if (!card) {
            out.push_back("error: no card installed");
            return false;
        }
        auto set = engine_.pc().setup().DeviceById(card->EnumInstanceId());
        if (!set) {
            out.push_back("error: the card's device is not present");
            return false;
        }
        sim::PageProvider provider = [this](std::uint32_t code, plat::DeviceSet& s, std::size_t d,
                                            const sim::AddPage& add) {
            return nicset::ProvidePage(
                host_, {code, &s, d},
                [this](nicset::DevicePageContext c) {
                    return std::make_unique<nicset::DevicePage>(host_, modal_, c);
                },
                [&add](std::unique_ptr<ui::PropertyPage>& p) {
                    return add(p) ? nicset::PageAdd::added : nicset::PageAdd::refused;
                });
        };
        bool shown = false;
        boundary_.Run([&] { shown = manager_.ShowProperties(provider, *set, 0); });
        return shown;
    }

  private:
    // A window's modal loop: the script's commands are its messages.
    void Drive(Window w) {
        open_.push_back(w);
        bool more = true;
        while (more && !w.Ended()) boundary_.Run([&] { more = engine_.RunNextCommand(); });
        open_.pop_back();
    }

    Engine& engine_;
    sim::ModalRunner modal_;
    nicset::Host host_;
    nicset::CControlPanelApp app_;
    sim::ControlPanel panel_;
    sim::DeviceManager manager_;
    plat::ErrorBoundary boundary_;
    bool loaded_ = false;
    std::vector<Window> open_;
};

void Refused(bool ok, Output& out) {
    if (!ok) out.push_back("(refused)");
}

}  // namespace

void AddLibraryVerbs(Engine& e) {
    auto lib = std::make_shared<Library>(e);
    e.SetWindowHost(lib);
    e.AddVerb("applet", -1, [lib](Engine&, const Command& c, Output& out) {
        if (c.words.size() > 2) {
            out.push_back("error: applet [PARAMETER]");
            return;
        }
        if (!lib->OpenApplet(c.words.size() == 2 ? c.words[1].c_str() : nullptr, out) &&
            out.empty())
            out.push_back("(no window)");
    });
    e.AddVerb("device-page", 0, [lib](Engine&, const Command&, Output& out) {
        if (!lib->ShowDevicePage(out) && out.empty()) out.push_back("(no page)");
    });
    e.AddVerb("ok", 0, [lib](Engine&, const Command&, Output& out) {
        if (auto* w = lib->Innermost(out))
            Refused(w->dialog ? w->dialog->UserOK() : w->sheet->UserOK(), out);
    });
    e.AddVerb("cancel", 0, [lib](Engine&, const Command&, Output& out) {
        if (auto* w = lib->Innermost(out))
            Refused(w->dialog ? w->dialog->UserCancel() : w->sheet->UserCancel(), out);
    });
    e.AddVerb("apply", 0, [lib](Engine&, const Command&, Output& out) {
        auto* w = lib->Innermost(out);
        if (w && !w->sheet) out.push_back("error: a dialog has no Apply");
        if (w && w->sheet) Refused(w->sheet->UserApply(), out);
    });
    e.AddVerb("sheet-page", 1, [lib](Engine&, const Command& c, Output& out) {
        auto* w = lib->Innermost(out);
        char* end = nullptr;
        const long index = std::strtol(c.words[1].c_str(), &end, 10);
        if (w && (!w->sheet || !end || *end)) out.push_back("error: sheet-page INDEX, in a sheet");
        if (w && w->sheet && end && !*end)
            Refused(w->sheet->UserSelectPage(static_cast<int>(index)), out);
    });
    e.AddVerb("windows", 0, [lib](Engine&, const Command&, Output& out) {
        for (auto& w : lib->Open()) {
            if (w.dialog) out.push_back("dialog " + w.dialog->Name());
            if (w.sheet)
                out.push_back("sheet " + w.sheet->Name() + " page " +
                              std::to_string(w.sheet->ActiveIndex()) + " " +
                              Quote(w.sheet->ActivePage() ? w.sheet->ActivePage()->Caption() : ""));
        }
        if (out.empty()) out.push_back("(none)");
    });
}

}  // namespace scenario
