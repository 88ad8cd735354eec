// Base of every model: a name, and one observer told of property changes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// Windows colour values (0x00BBGGRR). A top byte of 0xFF names a system colour by its index.
using Color = std::uint32_t;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kLime = 0x00FF00;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kYellow = 0x00FFFF;
inline constexpr Color kNavy = 0x800000;
inline constexpr Color kGray = 0x808080;
inline constexpr Color kSilver = 0xC0C0C0;
inline constexpr Color kSystemColor = 0xFF000000;
inline constexpr Color kClMenu = kSystemColor | 4;
inline constexpr Color kClWindow = kSystemColor | 5;
inline constexpr Color kClWindowText = kSystemColor | 8;
inline constexpr Color kClBtnFace = kSystemColor | 15;
inline constexpr Color kClGrayText = kSystemColor | 17;
inline constexpr Color kClBtnText = kSystemColor | 18;
// "Whatever the control draws by itself" (a progress bar's own bar colour).
inline constexpr Color kClDefault = 0x20000000;

constexpr bool IsSystemColor(Color c) {
    return (c & 0xFF000000u) == kSystemColor;
}
constexpr int SystemColorIndex(Color c) {
    return static_cast<int>(c & 0xFFu);
}

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    bool bold = false;
    Color color = kClWindowText;
    bool operator==(const Font&) const = default;
};

// What changed, as told to the observer.
enum class Change {
    Text,    // caption or text
    Bounds,  // position or size
    Visible,
    Enabled,
    TextFont,
    BackColor,
    Style,  // alignment, border, max length, read-only, password character...
    Checked,
    Items,      // list contents
    ItemIndex,  // list selection
    Range,      // progress bar limits
    Position,   // progress bar position
    BarColor,
    Pages,      // active page, tab visibility, tab captions
    Cells,      // grid contents or shape
    Selection,  // grid selection
    Picture,
    Repaint,
    Children,
    Popup,       // a popup menu asks to be shown
    Cursor,      // the screen cursor
    Foreground,  // a form asks to become the foreground window
    Freed,       // a form was closed for good
    Destroyed,   // the model object is going away
};

class Component;

// Told of every change of the models it watches, made by the program or by the user. It must
// never cause event handlers to run.
class Observer {
  public:
    virtual ~Observer() = default;
    virtual void Changed(Component& c, Change what) = 0;
};

class Component {
  public:
    explicit Component(std::string name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetObserver(Observer* observer) { observer_ = observer; }
    Observer* GetObserver() const { return observer_; }

  protected:
    void Notify(Change what);

  private:
    std::string name_;
    Observer* observer_ = nullptr;
};

}  // namespace ui
