// The control-panel side of the library: the application object that answers the control
// panel's messages, and its one applet.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cpl.h"
#include "ui/dialogs.h"

namespace nicset {

using plat::CplInfo, plat::NewCplInfo;
using plat::kCplDblClk, plat::kCplExit, plat::kCplGetCount, plat::kCplInit, plat::kCplInquire,
    plat::kCplNewInquire, plat::kCplSelect, plat::kCplStartWParms, plat::kCplStartWParmsW,
    plat::kCplStop;

inline constexpr int kAppletResourceId = 587;
inline constexpr char kHelpFileName[] = "nicset01.hlp";

// What an applet shows: a dialog or a property sheet.
class AppletWindow {
  public:
    virtual ~AppletWindow() = default;
    virtual ui::Dialog* AsDialog() { return nullptr; }
    virtual ui::PropertySheet* AsSheet() { return nullptr; }
};

class CControlPanelApp;

class CCPApplet {
  public:
    using WindowClass = std::function<std::unique_ptr<AppletWindow>()>;
    CCPApplet(WindowClass windowClass, int resourceId, bool dynamicInfo);

    CControlPanelApp* owner = nullptr;
    int ResourceId() const { return resourceId_; }
    bool DynamicInfo() const { return dynamicInfo_; }

    // 1 when no window could be made, else 0.
    std::int32_t OnRun(std::uintptr_t parent, const char* parameter);
    std::int32_t OnInquire(CplInfo& info);
    void OnNewInquire(NewCplInfo& info);
    void OnSelect() {}
    void OnStop() {}

  private:
    WindowClass windowClass_;
    int resourceId_;
    bool dynamicInfo_;
};

// What the library takes from its own module: strings, icons, and the modal loops to run its
// windows in.
struct LibraryResources {
    std::function<std::string(int id)> loadString;  // "" when the string cannot be loaded
    std::function<void*(int id)> loadIcon;
    ui::ModalRunner* modal = nullptr;
    std::string modulePath;  // the library's own file
};

class CControlPanelApp {
  public:
    explicit CControlPanelApp(LibraryResources resources);
    ~CControlPanelApp();

    // Registers the one applet and sets the help file beside the library.
    void InitInstance(CCPApplet::WindowClass configurationDialog);
    void AddApplet(std::unique_ptr<CCPApplet> applet);
    const std::vector<std::unique_ptr<CCPApplet>>& Applets() const { return applets_; }
    const std::string& HelpFilePath() const { return helpFilePath_; }
    LibraryResources& Resources() { return resources_; }

    // The control panel's dispatcher: lParam2 is a record or a text as the message says.
    std::int32_t OnCplMsg(std::uintptr_t hwnd, std::uint32_t msg, std::intptr_t lParam1,
                          std::intptr_t lParam2);
    void OnInit() {}
    void OnExit() {}

  private:
    LibraryResources resources_;
    std::vector<std::unique_ptr<CCPApplet>> applets_;
    std::string helpFilePath_;
};

// The folder of a module path followed by the help file's name.
std::string HelpFileBeside(std::string_view modulePath);

}  // namespace nicset
