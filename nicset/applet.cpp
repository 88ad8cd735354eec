#include "nicset/applet.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace nicset {

namespace {

// Only digits mean anything in the start text; anything beyond ASCII becomes '?'.
std::string NarrowParameter(const char16_t* wide) {
    constexpr std::size_t kMaxParameter = 260;
    std::string out;
    for (std::size_t i = 0; wide && wide[i] && i < kMaxParameter; ++i)
        out += wide[i] < 0x80 ? static_cast<char>(wide[i]) : '?';
    return out;
}

// Copies a text into a fixed field, cut to fit with its terminator.
template <std::size_t N>
void CopyBounded(char (&field)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    if (n > 0) std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

std::string_view Part(std::string_view text, int index) {
    for (int i = 0; i < index; ++i) {
        const auto cut = text.find('\n');
        if (cut == std::string_view::npos) return {};
        text.remove_prefix(cut + 1);
    }
    return text.substr(0, text.find('\n'));
}

int StartPageOf(const char* parameter) {
    if (!parameter) return 0;
    const std::string_view text(parameter);
    int page = 0;
    std::from_chars(text.data(), text.data() + text.size(), page);
    return page;
}

}  // namespace

CCPApplet::CCPApplet(WindowClass windowClass, int resourceId, bool dynamicInfo)
    : windowClass_(std::move(windowClass)), resourceId_(resourceId), dynamicInfo_(dynamicInfo) {}

std::int32_t CCPApplet::OnRun(std::uintptr_t, const char* parameter) {
    std::unique_ptr<AppletWindow> window = windowClass_ ? windowClass_() : nullptr;
    ui::ModalRunner* modal = owner ? owner->Resources().modal : nullptr;
    if (!window || !modal) return 1;
    if (ui::PropertySheet* sheet = window->AsSheet()) {
        sheet->SetStartPage(StartPageOf(parameter));
        modal->RunModal(*sheet);
    } else if (ui::Dialog* dialog = window->AsDialog()) {
        modal->RunModal(*dialog);
    }
    return 0;
}

std::int32_t CCPApplet::OnInquire(CplInfo& info) {
    // With dynamic information the control panel asks again with NEWCPLINFO.
    if (dynamicInfo_) return 1;
    info.idIcon = info.idName = info.idInfo = resourceId_;
    info.lData = reinterpret_cast<std::intptr_t>(this);
    return 0;
}

void CCPApplet::OnNewInquire(NewCplInfo& info) {
    info.size = sizeof(NewCplInfo);
    info.flags = 0;
    info.helpContext = 0;
    info.lData = reinterpret_cast<std::intptr_t>(this);
    LibraryResources* res = owner ? &owner->Resources() : nullptr;
    info.icon = res && res->loadIcon ? res->loadIcon(resourceId_) : nullptr;
    const std::string text = res && res->loadString ? res->loadString(resourceId_) : "";
    CopyBounded(info.name, Part(text, 0));
    CopyBounded(info.info, Part(text, 1));
    CopyBounded(info.helpFile, Part(text, 2));
}

CControlPanelApp::CControlPanelApp(LibraryResources resources) : resources_(std::move(resources)) {}

CControlPanelApp::~CControlPanelApp() = default;

void CControlPanelApp::InitInstance(CCPApplet::WindowClass configurationDialog) {
    AddApplet(std::make_unique<CCPApplet>(std::move(configurationDialog), kAppletResourceId, true));
    helpFilePath_ = HelpFileBeside(resources_.modulePath);
}

void CControlPanelApp::AddApplet(std::unique_ptr<CCPApplet> applet) {
    applet->owner = this;
    applets_.push_back(std::move(applet));
}

std::int32_t CControlPanelApp::OnCplMsg(std::uintptr_t hwnd, std::uint32_t msg,
                                        std::intptr_t lParam1, std::intptr_t lParam2) {
    if (msg == kCplInit) {
        OnInit();
        return applets_.empty() ? 0 : 1;
    }
    if (msg == kCplGetCount) return static_cast<std::int32_t>(applets_.size());
    if (msg < kCplInquire || msg > kCplStartWParmsW) return 1;
    if (msg == kCplExit) {
        OnExit();
        return 0;
    }
    if (lParam1 < 0 || lParam1 >= static_cast<std::intptr_t>(applets_.size())) return 1;
    CCPApplet& applet = *applets_[static_cast<std::size_t>(lParam1)];
    switch (msg) {
        case kCplInquire:
            return lParam2 ? applet.OnInquire(*reinterpret_cast<CplInfo*>(lParam2)) : 1;
        case kCplSelect:
            applet.OnSelect();
            return 0;
        case kCplDblClk:
            return applet.OnRun(hwnd, nullptr);
        case kCplStop:
            applet.OnStop();
            return 0;
        case kCplNewInquire:
            if (lParam2) applet.OnNewInquire(*reinterpret_cast<NewCplInfo*>(lParam2));
            return 0;
        case kCplStartWParms:
            applet.OnRun(hwnd, reinterpret_cast<const char*>(lParam2));
            return 1;
        case kCplStartWParmsW: {
            // NT shells send only the wide form when they open an applet from a command line;
            // answering it without opening would leave the user with nothing on screen.
            const auto* wide = reinterpret_cast<const char16_t*>(lParam2);
            const std::string text = NarrowParameter(wide);
            applet.OnRun(hwnd, wide ? text.c_str() : nullptr);
            return 1;
        }
        default:
            return 1;
    }
}

std::string HelpFileBeside(std::string_view modulePath) {
    const auto slash = modulePath.find_last_of("\\/");
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : modulePath.substr(0, slash + 1);
    return std::string(folder) + kHelpFileName;
}

}  // namespace nicset
