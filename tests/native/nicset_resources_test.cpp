// nicset01.rc against the code: the string table is strings.h's, and every control a model binds
// is in its template with the class and style the model relies on.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "nicset/device_page.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/prop_sheet.h"
#include "nicset/strings.h"
#include "sim/modal.h"
#include "sim/pc.h"

namespace {

std::string ReadSource(const std::string& path) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Trim(std::string s) {
    const char* blanks = " \t\r";
    s.erase(0, s.find_first_not_of(blanks));
    s.erase(s.find_last_not_of(blanks) + 1);
    return s;
}

// Splits at commas outside quotes.
std::vector<std::string> Args(const std::string& s) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : s) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    for (auto& a : out) a = Trim(a);
    return out;
}

// A quoted resource text with windres's escapes undone.
std::string Unquote(const std::string& q) {
    std::string out;
    for (std::size_t i = 1; i + 1 < q.size(); ++i) {
        if (q[i] == '"') {
            // Only a doubled quote stands for one; a single one would end the text.
            EXPECT_EQ(q[i + 1], '"') << q;
            out += '"';
            ++i;
        } else if (q[i] == '\\' && i + 2 < q.size()) {
            char e = q[++i];
            out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
            out += q[i];
        }
    }
    return out;
}

struct RcControl {
    std::string cls;
    std::set<std::string> styles;
    int x = 0, y = 0, w = 0, h = 0;
};
struct RcDialog {
    int w = 0, h = 0;
    std::map<int, RcControl> controls;  // by id; labels without one only in `all`
    std::vector<RcControl> all;
};
struct Rc {
    std::map<int, std::string> strings;
    std::map<int, RcDialog> dialogs;
};

// The keyword statements the .rc uses: window class, implied style, whether a text comes first.
struct Keyword {
    const char* cls;
    const char* style;
    bool text;
};
const std::map<std::string, Keyword> kKeywords = {
    {"EDITTEXT", {"EDIT", "", false}},
    {"LISTBOX", {"LISTBOX", "", false}},
    {"COMBOBOX", {"COMBOBOX", "", false}},
    {"LTEXT", {"STATIC", "SS_LEFT", true}},
    {"PUSHBUTTON", {"BUTTON", "BS_PUSHBUTTON", true}},
    {"DEFPUSHBUTTON", {"BUTTON", "BS_DEFPUSHBUTTON", true}},
    {"GROUPBOX", {"BUTTON", "BS_GROUPBOX", true}},
    {"AUTOCHECKBOX", {"BUTTON", "BS_AUTOCHECKBOX", true}},
};

Rc ParseRc() {
    std::map<std::string, int> ids = {{"IDOK", 1}, {"IDCANCEL", 2}};
    std::istringstream header(ReadSource("nicset/resource.h"));
    for (std::string line; std::getline(header, line);) {
        std::istringstream l(line);
        std::string define, name, value;
        if (l >> define >> name >> value && define == "#define" && value != "NICSET_RESOURCE_H")
            ids[name] = value == "(-1)" ? -1 : std::stoi(value);
    }
    auto id = [&](const std::string& name) {
        EXPECT_TRUE(ids.count(name)) << name;
        return ids.count(name) ? ids[name] : 0;
    };

    Rc rc;
    std::istringstream text(ReadSource("nicset/win32/nicset01.rc"));
    std::vector<std::string> statements;
    for (std::string line; std::getline(text, line);) {
        line = Trim(line);
        if (!statements.empty() && !statements.back().empty() && statements.back().back() == ',')
            statements.back() += " " + line;
        else
            statements.push_back(line);
    }
    enum { Outside, Dialog, Strings } block = Outside;
    RcDialog* dialog = nullptr;
    for (const std::string& s : statements) {
        std::string word = s.substr(0, s.find(' '));
        if (word == "END") {
            block = Outside;
            dialog = nullptr;
        } else if (s.find(" DIALOGEX ") != std::string::npos) {
            auto a = Args(s.substr(s.find("DIALOGEX") + 9));
            dialog = &rc.dialogs[id(word)];
            dialog->w = std::stoi(a.at(2));
            dialog->h = std::stoi(a.at(3));
        } else if (word == "STRINGTABLE") {
            block = Strings;
        } else if (word == "BEGIN" && dialog) {
            block = Dialog;
        } else if (block == Strings && s.find(',') != std::string::npos) {
            rc.strings[id(s.substr(0, s.find(',')))] = Unquote(Trim(s.substr(s.find(',') + 1)));
        } else if (block == Dialog && kKeywords.count(word)) {
            const Keyword& k = kKeywords.at(word);
            auto a = Args(s.substr(word.size()));
            std::size_t at = k.text ? 1 : 0;
            RcControl c{k.cls, {}};
            if (*k.style) c.styles.insert(k.style);
            if (a.size() > at + 5) {
                std::istringstream flags(a[at + 5]);
                for (std::string f; std::getline(flags, f, '|');) c.styles.insert(Trim(f));
            }
            c.x = std::stoi(a.at(at + 1)), c.y = std::stoi(a.at(at + 2));
            c.w = std::stoi(a.at(at + 3)), c.h = std::stoi(a.at(at + 4));
            dialog->all.push_back(c);
            int cid = id(a.at(at));
            if (cid != -1) {
                EXPECT_FALSE(dialog->controls.count(cid)) << "control " << cid << " twice";
                dialog->controls[cid] = c;
            }
        } else if (block == Dialog && !s.empty() && s.rfind("//", 0) != 0) {
            ADD_FAILURE() << "statement the test does not read: " << s;
        }
    }
    return rc;
}

const Rc& Resources() {
    static const Rc rc = ParseRc();
    return rc;
}

TEST(NicsetResources, StringTableHoldsExactlyTheCodesTexts) {
    const Rc& rc = Resources();
    for (const nicset::StringEntry& e : nicset::kStrings) {
        ASSERT_TRUE(rc.strings.count(e.id)) << "string " << e.id << " missing from the .rc";
        EXPECT_EQ(rc.strings.at(e.id), e.text) << "string " << e.id;
    }
    for (const auto& [id, text] : rc.strings)
        EXPECT_EQ(nicset::StringText(id), text) << "string " << id << " missing from strings.h";
}

// What a model needs of its window, checked against the template.
void ExpectModelMatches(const ui::Control& root, int templateId, int& seen) {
    for (const ui::Control* c : root.Children()) {
        ExpectModelMatches(*c, templateId, seen);
        if (c->Id() == 0) continue;
        SCOPED_TRACE("dialog " + std::to_string(templateId) + ", control " +
                     std::to_string(c->Id()) + " (" + c->Name() + ")");
        const auto& controls = Resources().dialogs.at(templateId).controls;
        auto found = controls.find(c->Id());
        ASSERT_NE(found, controls.end());
        ++seen;
        const RcControl& t = found->second;
        auto has = [&](const char* style) { return t.styles.count(style) > 0; };
        switch (c->GetKind()) {
            case ui::Kind::Edit: {
                auto& e = static_cast<const ui::Edit&>(*c);
                EXPECT_EQ(t.cls, "EDIT");
                EXPECT_TRUE(!e.ReadOnly() || has("ES_READONLY"));
                EXPECT_TRUE(!e.PasswordChar() || has("ES_PASSWORD"));
                EXPECT_TRUE(!e.UpperCase() || has("ES_UPPERCASE"));
                break;
            }
            case ui::Kind::ListBox:
                EXPECT_EQ(t.cls, "LISTBOX");
                EXPECT_TRUE(has("LBS_NOTIFY"));
                EXPECT_EQ(has("LBS_SORT"), static_cast<const ui::ListBox&>(*c).Sorted());
                break;
            case ui::Kind::ComboBox: {
                auto& combo = static_cast<const ui::ComboBox&>(*c);
                EXPECT_EQ(t.cls, "COMBOBOX");
                EXPECT_EQ(has("CBS_DROPDOWNLIST"), combo.Style() == ui::ComboStyle::DropDownList);
                EXPECT_EQ(has("CBS_SORT"), combo.Sorted());
                break;
            }
            case ui::Kind::Button:
                EXPECT_TRUE(has("BS_PUSHBUTTON") || has("BS_DEFPUSHBUTTON"));
                break;
            case ui::Kind::CheckBox:
                EXPECT_TRUE(has("BS_AUTOCHECKBOX"));
                break;
            case ui::Kind::StaticText:
            case ui::Kind::Label:
                EXPECT_EQ(t.cls, "STATIC");
                break;
            default:
                break;
        }
    }
}

void ExpectHelpTargetsExist(const std::vector<ui::HelpId>& help, std::vector<int> templates) {
    for (const ui::HelpId& h : help) {
        bool found = false;
        for (int t : templates) found |= Resources().dialogs.at(t).controls.count(h.control) > 0;
        EXPECT_TRUE(found) << "help id for control " << h.control << " that no template has";
    }
}

TEST(NicsetResources, EveryModelControlIsInItsTemplateWithItsClassAndStyle) {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    sim::ModalRunner modal;
    nicset::CVNicCfgDlg dlg(platform, modal);
    nicset::DevicePage page(platform, modal, {});
    nicset::CVHlpPropSheet sheet(platform);

    int seen = 0;
    ExpectModelMatches(dlg.dialog, dlg.dialog.TemplateId(), seen);
    EXPECT_EQ(seen, 7);
    seen = 0;
    ExpectModelMatches(page, page.TemplateId(), seen);
    EXPECT_EQ(seen, 6);
    seen = 0;
    ExpectModelMatches(sheet.general, sheet.general.TemplateId(), seen);
    EXPECT_EQ(seen, 6);
    seen = 0;
    ExpectModelMatches(sheet.security, IDD_SECURITY, seen);
    EXPECT_EQ(seen, 13);
    seen = 0;
    ExpectModelMatches(sheet.advanced, IDD_ADVANCED, seen);
    EXPECT_EQ(seen, 10);

    ExpectHelpTargetsExist(dlg.dialog.helpIds, {IDD_NIC_CFG});
    ExpectHelpTargetsExist(sheet.helpIds, {IDD_GENERAL, IDD_SECURITY, IDD_ADVANCED});
    // The device manager's sheet knows no help of ours: the page brings its table and file name.
    ExpectHelpTargetsExist(page.helpIds, {IDD_DEVICE_PAGE});
    EXPECT_EQ(page.helpIds.size(), 6u);
    EXPECT_EQ(page.helpFile, "nicset01.hlp");
}

// The pages' controls as their handlers use them: item order is the code, so nothing sorts.
TEST(NicsetResources, PageTemplatesCarryTheControlsTheirPagesUse) {
    struct Row {
        int dialog;
        std::vector<int> ids;
        const char* cls;
        std::vector<const char*> styles;  // "!X": X must be absent
    };
    const std::vector<const char*> list = {"CBS_DROPDOWNLIST", "!CBS_SORT"};
    const std::vector<const char*> key = {"ES_PASSWORD", "ES_UPPERCASE"};
    const Row rows[] = {
        {IDD_GENERAL, {IDC_CONFIGURATION_NAME, IDC_NETWORK_NAME}, "EDIT", {"!ES_PASSWORD"}},
        {IDD_GENERAL, {IDC_NETWORK_CONNECTION, IDC_POWER_SAVING}, "COMBOBOX", list},
        {IDD_GENERAL, {IDC_MAC_ADDRESS_ON}, "BUTTON", {"BS_AUTOCHECKBOX", "BS_MULTILINE"}},
        {IDD_GENERAL, {IDC_MAC_ADDRESS}, "EDIT", {"ES_UPPERCASE"}},
        {IDD_SECURITY, {IDC_ENABLE_SECURITY}, "BUTTON", {"BS_AUTOCHECKBOX"}},
        {IDD_SECURITY,
         {IDC_DEFAULT_KEY, IDC_UNIQUE_KEY_SIZE, IDC_SHARED_KEY1_SIZE, IDC_SHARED_KEY2_SIZE,
          IDC_SHARED_KEY3_SIZE, IDC_SHARED_KEY4_SIZE},
         "COMBOBOX",
         list},
        {IDD_SECURITY,
         {IDC_UNIQUE_KEY, IDC_SHARED_KEY1, IDC_SHARED_KEY2, IDC_SHARED_KEY3, IDC_SHARED_KEY4},
         "EDIT",
         key},
        {IDD_SECURITY, {IDC_KEY_STATUS}, "STATIC", {"SS_NOPREFIX"}},
        {IDD_ADVANCED,
         {IDC_PREAMBLE, IDC_54MBPS_24, IDC_TRANSMIT_POWER, IDC_AD_HOC_BAND, IDC_ENCRYPTION_TYPE,
          IDC_SCAN_MODE, IDC_WIRELESS_MODE, IDC_TURBO, IDC_RATE_24, IDC_QOS},
         "COMBOBOX",
         list},
        // It never offers anything but "Disabled".
        {IDD_ADVANCED, {IDC_54MBPS_24}, "COMBOBOX", {"WS_DISABLED"}},
        {IDD_DEVICE_PAGE, {IDC_PAGE_DETAILS}, "STATIC", {"SS_NOPREFIX"}},
        {IDD_NIC_CFG, {IDC_DLG_DETAILS}, "STATIC", {"SS_NOPREFIX"}},
    };
    for (const Row& r : rows) {
        for (int id : r.ids) {
            SCOPED_TRACE("dialog " + std::to_string(r.dialog) + ", control " + std::to_string(id));
            const auto& controls = Resources().dialogs.at(r.dialog).controls;
            ASSERT_TRUE(controls.count(id));
            const RcControl& t = controls.at(id);
            EXPECT_EQ(t.cls, r.cls);
            for (std::string s : r.styles) {
                bool absent = s[0] == '!';
                EXPECT_EQ(t.styles.count(absent ? s.substr(1) : s), absent ? 0u : 1u) << s;
            }
        }
    }
}

// A sheet is as large as its largest page: its pages share one size, General's.
TEST(NicsetResources, TemplatesHaveTheirSizesAndHoldTheirControls) {
    const Rc& rc = Resources();
    for (int page : {IDD_GENERAL, IDD_SECURITY, IDD_ADVANCED}) {
        EXPECT_EQ(rc.dialogs.at(page).w, 306) << page;
        EXPECT_EQ(rc.dialogs.at(page).h, 181) << page;
    }
    for (const auto& [dialogId, d] : rc.dialogs) {
        for (const RcControl& c : d.all) {
            // A combo's height includes its dropped list, which may reach past the page.
            int h = c.cls == "COMBOBOX" ? 12 : c.h;
            EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.w <= d.w && c.y + h <= d.h)
                << "dialog " << dialogId << ": control at " << c.x << "," << c.y << " outside";
        }
    }
}

}  // namespace
