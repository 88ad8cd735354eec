#include "tools/scenario/engine.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/velmora.h"
#include "sim/regfile.h"
#include "sim/zn6200_install.h"
#include "ui/controls.h"
#include "ui/lists.h"
#include "ui/menu.h"
#include "ui/pages.h"
#include "ui/timer.h"

namespace scenario {
namespace {

std::string Hex(std::uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%06X", v);
    return b;
}

std::string Bool(bool b) {
    return b ? "1" : "0";
}

bool ParseInt(const std::string& s, long long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 0);
    return end && *end == 0;
}

// A printed line stays one transcript line whatever a command echoes (a name, a path):
// line ends inside it are written as \n and \r.
std::string OneLine(const std::string& text) {
    if (text.find_first_of("\n\r") == std::string::npos) return text;
    std::string l;
    for (char c : text) l += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return l;
}

void Lines(const std::string& text, Output& out) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
}

}  // namespace

Output Describe(ui::Component& c, const std::string& prop) {
    std::vector<std::pair<std::string, std::string>> props;
    std::vector<std::pair<std::string, std::string>> extra;  // printed only when asked for
    auto add = [&](std::string k, std::string v) {
        props.emplace_back(std::move(k), std::move(v));
    };
    if (auto* ctl = dynamic_cast<ui::Control*>(&c)) {
        if (auto* cap = dynamic_cast<ui::Captioned*>(ctl)) add("caption", Quote(cap->Caption()));
        if (auto* e = dynamic_cast<ui::Edit*>(ctl)) {
            add("text", Quote(e->Text()));
            add("maxlength", std::to_string(e->MaxLength()));
        }
        if (auto* cb = dynamic_cast<ui::ComboBox*>(ctl)) {
            add("text", Quote(cb->Text()));
            add("index", std::to_string(cb->ItemIndex()));
            std::string items;
            for (auto& i : cb->Items()) items += (items.empty() ? "" : " ") + Quote(i);
            add("items", items);
        }
        if (auto* lb = dynamic_cast<ui::ListBox*>(ctl)) {
            add("index", std::to_string(lb->ItemIndex()));
            std::string items;
            for (auto& i : lb->Items()) items += (items.empty() ? "" : " ") + Quote(i);
            add("items", items);
        }
        if (auto* ch = dynamic_cast<ui::CheckBox*>(ctl)) add("checked", Bool(ch->Checked()));
        if (auto* rb = dynamic_cast<ui::RadioButton*>(ctl)) add("checked", Bool(rb->Checked()));
        if (auto* pb = dynamic_cast<ui::ProgressBar*>(ctl)) {
            add("position", std::to_string(pb->Position()));
            add("range", std::to_string(pb->Min()) + ".." + std::to_string(pb->Max()));
            add("barcolor", pb->BarColor() == ui::kClDefault ? "default" : Hex(pb->BarColor()));
        }
        if (auto* pc = dynamic_cast<ui::PageControl*>(ctl)) {
            add("page", std::to_string(pc->ActivePageIndex()));
            std::string tabs;
            for (auto* t : pc->VisibleTabs())
                tabs += (tabs.empty() ? "" : " ") + Quote(t->Caption());
            add("tabs", tabs);
        }
        if (auto* g = dynamic_cast<ui::StringGrid*>(ctl)) {
            add("size", std::to_string(g->ColCount()) + "x" + std::to_string(g->RowCount()));
            for (int r = 0; r < g->RowCount(); ++r) {
                std::string row;
                for (int col = 0; col < g->ColCount(); ++col)
                    row += (col ? " | " : "") + g->Cell(col, r);
                add("row" + std::to_string(r), row);
            }
        }
        auto& f = ctl->GetFont();
        extra.emplace_back("font",
                           Quote(f.name) + " " + std::to_string(f.size) + (f.bold ? " bold" : ""));
        if (auto* tab = dynamic_cast<ui::TabSheet*>(ctl))
            extra.emplace_back("tabvisible", Bool(tab->TabVisible()));
        add("visible", Bool(ctl->Visible()));
        add("enabled", Bool(ctl->Enabled()));
        add("bounds", std::to_string(ctl->Left()) + "," + std::to_string(ctl->Top()) + " " +
                          std::to_string(ctl->Width()) + "x" + std::to_string(ctl->Height()));
    } else if (auto* t = dynamic_cast<ui::Timer*>(&c)) {
        add("enabled", Bool(t->Enabled()));
        add("interval", std::to_string(t->Interval()));
    } else if (auto* m = dynamic_cast<ui::MenuItem*>(&c)) {
        add("caption", Quote(m->Caption()));
        add("enabled", Bool(m->Enabled()));
    } else if (auto* pm = dynamic_cast<ui::PopupMenu*>(&c)) {
        std::string at;
        if (auto& p = pm->LastPopup()) at = " " + std::to_string(p->x) + "," + std::to_string(p->y);
        add("popups", std::to_string(pm->PopupCount()) + at);
    }
    Output out;
    for (auto& [k, v] : props)
        if (prop.empty() || prop == k) out.push_back(c.Name() + "." + k + " = " + v);
    for (auto& [k, v] : extra)
        if (prop == k) out.push_back(c.Name() + "." + k + " = " + v);
    if (out.empty()) out.push_back("error: " + c.Name() + " has no property " + prop);
    return out;
}

Engine::Engine(std::string baseDir)
    : baseDir_(std::move(baseDir)),
      pc_(std::make_unique<sim::Pc>()),
      platform_(std::make_unique<plat::Platform>(pc_->platform())) {
    AddSystemVerbs();
    AddUserVerbs();
    AddCardVerbs();
    AddLibraryVerbs(*this);
    AddSoakVerbs(*this);
}

Engine::~Engine() = default;

void Engine::AddVerb(const std::string& name, int argCount, Verb verb) {
    verbs_[name] = {argCount, std::move(verb)};
}

std::string Engine::FilePath(const std::string& name) const {
    if (!name.empty() && name[0] == '/') return name;
    return baseDir_ + "/" + name;
}

ui::Form* Engine::Form(Output& out) {
    if (programs_.empty()) {
        out.push_back("error: no program started");
        return nullptr;
    }
    return &programs_.front()->form;
}

ui::Component* Engine::Find(const std::string& name, Output& out) {
    if (windowHost_ && windowHost_->WindowOpen()) {
        auto* found = windowHost_->FindInWindow(name);
        if (!found) out.push_back("error: no control " + name + " in the open window");
        return found;
    }
    auto* form = Form(out);
    if (!form) return nullptr;
    if (name == form->Name()) return form;
    auto* c = form->FindComponent(name);
    for (auto* comp : form->Components()) {
        if (c) break;
        if (auto* menu = dynamic_cast<ui::PopupMenu*>(comp)) c = menu->Find(name);
    }
    if (!c) out.push_back("error: no control " + name);
    return c;
}

Output Engine::Run(const Command& c) {
    Output out;
    Run(c, out);
    return out;
}

void Engine::RunScript(const std::vector<Command>& commands, const Report& report) {
    script_ = &commands;
    next_ = 0;
    report_ = &report;
    while (RunNextCommand()) {
    }
    ReportPending();
    script_ = nullptr;
    report_ = nullptr;
}

bool Engine::RunNextCommand() {
    if (!script_ || next_ >= script_->size()) return false;
    ReportPending();
    const std::size_t index = steps_.size();
    steps_.push_back({&(*script_)[next_++], {}});
    Run(*steps_[index].command, steps_[index].out);
    Step& step = steps_[index];
    if (step.reported && step.out.size() > step.shown) {
        // Printed after a window it opened had closed: the command that closed it is the
        // latest, not reported yet.
        auto late = step.out.begin() + static_cast<std::ptrdiff_t>(step.shown);
        auto& to = steps_.back().out;
        to.insert(to.end(), late, step.out.end());
        step.out.erase(late, step.out.end());
    }
    return true;
}

void Engine::ReportPending() {
    for (; reported_ < steps_.size(); ++reported_) {
        Step& step = steps_[reported_];
        for (auto& line : step.out) line = OneLine(line);
        (*report_)(*step.command, step.out);
        step.reported = true;
        step.shown = step.out.size();
    }
}

void Engine::Run(const Command& c, Output& out) {
    auto it = verbs_.find(c.words[0]);
    if (it == verbs_.end()) {
        out.push_back("error: unknown command " + c.words[0]);
        return;
    }
    int args = static_cast<int>(c.words.size()) - 1;
    if (it->second.argCount >= 0 && args != it->second.argCount) {
        out.push_back("error: " + c.words[0] + " takes " + std::to_string(it->second.argCount) +
                      " argument(s)");
        return;
    }
    // What a user does reaches the program as a message from Windows: through the boundary
    // of the program the commands drive.
    const bool inWindow = windowHost_ && windowHost_->WindowOpen();
    if (!inWindow && !programs_.empty() && !programs_.front()->form.SecondCopy()) {
        programs_.front()->boundary.Run([&] { it->second.run(*this, c, out); });
    } else {
        it->second.run(*this, c, out);
    }
}

void Engine::AddSystemVerbs() {
    // os 95|nt MAJOR MINOR
    AddVerb("os", 3, [](Engine& e, const Command& c, Output& out) {
        long long major = 0, minor = 0;
        if ((c.words[1] != "95" && c.words[1] != "nt") || !ParseInt(c.words[2], major) ||
            !ParseInt(c.words[3], minor)) {
            out.push_back("error: os 95|nt MAJOR MINOR");
            return;
        }
        e.pc().system().SetVersion({c.words[1] == "nt" ? plat::OsFamily::NT : plat::OsFamily::Win95,
                                    static_cast<std::uint32_t>(major),
                                    static_cast<std::uint32_t>(minor)});
    });
    auto report = [](const sim::RegFileResult& r, Output& out) {
        if (!r.ok) out.push_back("error: line " + std::to_string(r.line) + ": " + r.message);
    };
    AddVerb("reg", 0, [report](Engine& e, const Command& c, Output& out) {
        std::string text;
        if (c.body.empty() || (c.body[0].rfind("Windows Registry Editor", 0) != 0 &&
                               c.body[0].rfind("REGEDIT4", 0) != 0))
            text = "Windows Registry Editor Version 5.00\n";
        for (auto& l : c.body) text += l + "\n";
        report(sim::ImportReg(e.pc().registry(), text), out);
    });
    AddVerb("reg-import", 1, [report](Engine& e, const Command& c, Output& out) {
        report(sim::ImportRegFile(e.pc().registry(), e.FilePath(c.words[1])), out);
    });
    AddVerb("dump", 1, [](Engine& e, const Command& c, Output& out) {
        auto text = sim::ExportReg(e.pc().registry(), c.words[1]);
        if (!text) {
            out.push_back("(no key)");
            return;
        }
        Lines(*text, out);
        // The export's header and blank lines say nothing a reader needs.
        std::erase_if(out, [](const std::string& l) {
            return l.empty() || l.rfind("Windows Registry Editor", 0) == 0;
        });
    });
    AddVerb("advance", 1, [](Engine& e, const Command& c, Output& out) {
        long long ms = 0;
        if (!ParseInt(c.words[1], ms) || ms < 0) {
            out.push_back("error: advance MILLISECONDS");
            return;
        }
        e.pc().loop().Advance(static_cast<std::uint64_t>(ms));
    });
    AddVerb("time", 0, [](Engine& e, const Command&, Output& out) {
        out.push_back(std::to_string(e.pc().loop().NowMs()) + " ms");
    });
    AddVerb("answer", -1, [](Engine& e, const Command& c, Output& out) {
        for (std::size_t i = 1; i < c.words.size(); ++i) {
            long long id = 0;
            if (!ParseInt(c.words[i], id)) {
                out.push_back("error: answer BUTTON-ID...");
                return;
            }
            e.pc().dialogs().QueueAnswer(static_cast<int>(id));
        }
    });
    // The message boxes shown since the last "msgboxes".
    AddVerb("msgboxes", 0, [](Engine& e, const Command&, Output& out) {
        auto& boxes = e.pc().dialogs().Boxes();
        e.boxesShown_ = std::max(e.boxesShown_, boxes.FirstKept());
        for (; e.boxesShown_ < boxes.Total(); ++e.boxesShown_) {
            auto& b = boxes[e.boxesShown_ - boxes.FirstKept()];
            out.push_back("box " + Quote(b.caption) + " " + Quote(b.text) + " type=" + Hex(b.type) +
                          " owner=" + (b.owner ? "window" : "none") +
                          " answer=" + std::to_string(b.answer));
        }
        if (out.empty()) out.push_back("(none)");
    });
    AddVerb("beeps", 0, [](Engine& e, const Command&, Output& out) {
        auto& beeps = e.pc().dialogs().Beeps();
        e.beepsShown_ = std::max(e.beepsShown_, beeps.FirstKept());
        for (; e.beepsShown_ < beeps.Total(); ++e.beepsShown_)
            out.push_back("beep " + Hex(beeps[e.beepsShown_ - beeps.FirstKept()]));
        if (out.empty()) out.push_back("(none)");
    });
    AddVerb("tray", 0, [](Engine& e, const Command&, Output& out) {
        for (auto& i : e.pc().shell().Icons())
            out.push_back("icon " + std::to_string(i.id) + " picture=" + std::to_string(i.icon) +
                          " tip=" + Quote(i.tip) + " callback=" + Hex(i.callbackMessage));
        if (out.empty()) out.push_back("(no icon)");
    });
    // Starts a copy of the program; the commands that follow drive the first one.
    AddVerb("start", 0, [](Engine& e, const Command&, Output&) {
        e.programs_.push_back(std::make_unique<app::Velmora>(*e.platform_));
    });
    AddVerb("programs", 0, [](Engine& e, const Command&, Output& out) {
        int n = 0;
        for (auto& p : e.programs_) {
            auto& f = p->form;
            out.push_back("program " + std::to_string(++n) + ": " +
                          (f.SecondCopy() ? "second copy"
                           : f.Freed()    ? "ended"
                                          : "running"));
        }
        out.push_back(std::string("loop: ") + (e.pc().loop().QuitRequested() ? "quit" : "running"));
    });
    // What the PC was asked: service calls, registry writes, driver requests.
    AddVerb("counts", 0, [](Engine& e, const Command&, Output& out) {
        out.push_back("service calls " + std::to_string(e.pc().services().Calls().Total()));
        out.push_back("registry writes " + std::to_string(e.pc().registry().WriteCount()));
        out.push_back("tray calls " + std::to_string(e.pc().shell().Calls().Total()));
        if (e.card_)
            out.push_back("driver requests " + std::to_string(e.card_->Requests().Total()));
    });
    // The window's close message with its second parameter, as sent from outside.
    AddVerb("close-message", 1, [](Engine& e, const Command& c, Output& out) {
        long long lParam = 0;
        if (!ParseInt(c.words[1], lParam)) {
            out.push_back("error: close-message LPARAM");
            return;
        }
        if (auto* f = e.Form(out)) f->DeliverCloseMessage(static_cast<std::intptr_t>(lParam));
    });
    // The user releases a mouse button over the tray icon.
    AddVerb("tray-click", 1, [](Engine& e, const Command& c, Output& out) {
        auto* f = e.Form(out);
        if (!f) return;
        if (c.words[1] != "left" && c.words[1] != "right") {
            out.push_back("error: tray-click left|right");
            return;
        }
        f->DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId,
                          c.words[1] == "left" ? app::kWmLButtonUp : app::kWmRButtonUp);
    });
    // cursor X Y, or cursor fails
    AddVerb("cursor", -1, [](Engine& e, const Command& c, Output& out) {
        long long x = 0, y = 0;
        if (c.words.size() == 2 && c.words[1] == "fails") {
            e.pc().loop().SetCursorFails(true);
        } else if (c.words.size() == 3 && ParseInt(c.words[1], x) && ParseInt(c.words[2], y)) {
            e.pc().loop().SetCursorFails(false);
            e.pc().loop().SetCursor(static_cast<int>(x), static_cast<int>(y));
        } else {
            out.push_back("error: cursor X Y | cursor fails");
        }
    });
}

void Engine::AddUserVerbs() {
    AddVerb("print", -1, [](Engine& e, const Command& c, Output& out) {
        if (c.words.size() < 2 || c.words.size() > 3) {
            out.push_back("error: print NAME [PROPERTY]");
            return;
        }
        if (auto* comp = e.Find(c.words[1], out))
            for (auto& l : Describe(*comp, c.words.size() == 3 ? c.words[2] : "")) out.push_back(l);
    });
    // A refused user action (hidden, disabled, out of range) is reported, not an error.
    auto done = [](bool ok, Output& out) {
        if (!ok) out.push_back("(refused)");
    };
    AddVerb("click", 1, [done](Engine& e, const Command& c, Output& out) {
        auto* comp = e.Find(c.words[1], out);
        if (!comp) return;
        if (auto* b = dynamic_cast<ui::Button*>(comp)) return done(b->UserClick(), out);
        if (auto* ch = dynamic_cast<ui::CheckBox*>(comp)) return done(ch->UserClick(), out);
        if (auto* rb = dynamic_cast<ui::RadioButton*>(comp)) return done(rb->UserClick(), out);
        if (auto* m = dynamic_cast<ui::MenuItem*>(comp)) return done(m->UserClick(), out);
        out.push_back("error: " + c.words[1] + " cannot be clicked");
    });
    AddVerb("type", 2, [done](Engine& e, const Command& c, Output& out) {
        auto* comp = e.Find(c.words[1], out);
        if (!comp) return;
        if (auto* ed = dynamic_cast<ui::Edit*>(comp)) return done(ed->UserType(c.words[2]), out);
        if (auto* cb = dynamic_cast<ui::ComboBox*>(comp))
            return done(cb->UserType(c.words[2]), out);
        out.push_back("error: " + c.words[1] + " takes no typing");
    });
    AddVerb("clear", 1, [done](Engine& e, const Command& c, Output& out) {
        auto* comp = e.Find(c.words[1], out);
        if (!comp) return;
        if (auto* ed = dynamic_cast<ui::Edit*>(comp)) return done(ed->UserClearText(), out);
        if (auto* cb = dynamic_cast<ui::ComboBox*>(comp)) return done(cb->UserClearText(), out);
        out.push_back("error: " + c.words[1] + " takes no typing");
    });
    // key NAME CHAR, or #CODE for keys without a glyph (#8 is backspace).
    AddVerb("key", 2, [done](Engine& e, const Command& c, Output& out) {
        auto* ed = dynamic_cast<ui::Edit*>(e.Find(c.words[1], out));
        const std::string& k = c.words[2];
        long long code = 0;
        if (!ed || !(k.size() == 1 || (k[0] == '#' && ParseInt(k.substr(1), code)))) {
            if (out.empty()) out.push_back("error: key EDIT CHAR|#CODE");
            return;
        }
        done(ed->UserKey(k.size() == 1 ? k[0] : static_cast<char>(code)), out);
    });
    // choose NAME #INDEX, or choose NAME TEXT
    AddVerb("choose", 2, [done](Engine& e, const Command& c, Output& out) {
        auto* comp = e.Find(c.words[1], out);
        if (!comp) return;
        const std::string& w = c.words[2];
        long long index = -1;
        bool byIndex = w.size() > 1 && w[0] == '#' && ParseInt(w.substr(1), index);
        if (auto* cb = dynamic_cast<ui::ComboBox*>(comp))
            return done(byIndex ? cb->UserSelect(static_cast<int>(index)) : cb->UserSelectText(w),
                        out);
        if (auto* lb = dynamic_cast<ui::ListBox*>(comp)) {
            if (!byIndex) index = lb->IndexOf(w);
            return done(lb->UserSelect(static_cast<int>(index)), out);
        }
        out.push_back("error: " + c.words[1] + " has no items");
    });
    AddVerb("dropdown", 1, [done](Engine& e, const Command& c, Output& out) {
        if (auto* cb = dynamic_cast<ui::ComboBox*>(e.Find(c.words[1], out)))
            return done(cb->UserDropDown(), out);
        if (out.empty()) out.push_back("error: " + c.words[1] + " is no combo box");
    });
    // page PAGECONTROL INDEX|TABSHEET
    AddVerb("page", 2, [done](Engine& e, const Command& c, Output& out) {
        auto* pc = dynamic_cast<ui::PageControl*>(e.Find(c.words[1], out));
        if (!pc) {
            if (out.empty()) out.push_back("error: " + c.words[1] + " is no page control");
            return;
        }
        long long index = 0;
        if (ParseInt(c.words[2], index))
            return done(pc->UserChangePage(static_cast<int>(index)), out);
        auto* sheet = dynamic_cast<ui::TabSheet*>(e.Find(c.words[2], out));
        if (sheet) done(pc->UserChangePage(*sheet), out);
    });
    // The program shows its window (until the program does so by itself).
    AddVerb("show", 0, [](Engine& e, const Command&, Output& out) {
        if (auto* f = e.Form(out)) f->Show();
    });
    // The title bar's close button.
    AddVerb("close", 0, [done](Engine& e, const Command&, Output& out) {
        if (auto* f = e.Form(out)) done(f->UserCloseButton(), out);
    });
}

void Engine::AddCardVerbs() {
    // What the driver took up at its last start.
    AddVerb("driver", 0, [](Engine& e, const Command&, Output& out) {
        if (!e.card_) {
            out.push_back("error: no card installed");
            return;
        }
        const auto& p = e.card_->TakenParameters();
        auto orNone = [](const std::string& s) { return s.empty() ? std::string("none") : s; };
        out.push_back("starts " + std::to_string(e.card_->Starts()));
        out.push_back("ssid " + Quote(p.ssid));
        out.push_back("privacy " + orNone(p.privacyInvoked) + " default " + orNone(p.defaultKey) +
                      " key " + orNone(e.card_->TakenKey()));
        out.push_back("address " + orNone(p.networkAddress));
    });
    // card install FILE | pull | insert | pull-after N | fail-opens N CODE | medium N |
    //      address XX-XX-XX-XX-XX-XX | fail-oid OID|none
    AddVerb("card", -1, [](Engine& e, const Command& c, Output& out) {
        auto arg = [&](std::size_t i) { return i < c.words.size() ? c.words[i] : std::string(); };
        long long n = 0, code = 0;
        const std::string what = arg(1);
        if (what == "install" && c.words.size() == 3) {
            e.card_ = sim::InstallZn6200File(e.pc(), e.FilePath(arg(2)));
            if (!e.card_) out.push_back("error: cannot install the card from " + arg(2));
            return;
        }
        if (!e.card_) {
            out.push_back("error: no card installed");
            return;
        }
        if (what == "pull" && c.words.size() == 2) return e.card_->Pull();
        if (what == "insert" && c.words.size() == 2) return e.card_->Insert();
        if (what == "pull-after" && c.words.size() == 3 && ParseInt(arg(2), n))
            return e.card_->PullAfterRequests(static_cast<std::uint32_t>(n));
        if (what == "fail-opens" && c.words.size() == 4 && ParseInt(arg(2), n) &&
            ParseInt(arg(3), code))
            return e.card_->FailNextOpens(static_cast<std::uint32_t>(n),
                                          static_cast<std::uint32_t>(code));
        // Every request for the OID fails until "card fail-oid none".
        if (what == "fail-oid" && c.words.size() == 3) {
            if (arg(2) == "none") return e.card_->ClearOidFailures();
            if (ParseInt(arg(2), n)) return e.card_->FailOid(static_cast<std::uint32_t>(n));
        }
        if (what == "medium" && c.words.size() == 3 && ParseInt(arg(2), n))
            return e.card_->SetMedium(static_cast<std::uint32_t>(n));
        if (what == "address" && c.words.size() == 3) {
            sim::MacAddress mac{};
            unsigned b[6];
            if (std::sscanf(arg(2).c_str(), "%x-%x-%x-%x-%x-%x", &b[0], &b[1], &b[2], &b[3], &b[4],
                            &b[5]) == 6) {
                for (int i = 0; i < 6; ++i) mac[i] = static_cast<std::uint8_t>(b[i]);
                return e.card_->SetStationAddress(mac);
            }
        }
        out.push_back(
            "error: card install FILE|pull|insert|pull-after N|fail-opens N CODE|"
            "medium N|address XX-XX-XX-XX-XX-XX|fail-oid OID|none");
    });
}

}  // namespace scenario
