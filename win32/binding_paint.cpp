// Painting: colours and brushes, fonts, WM_CTLCOLOR* answers, owner-drawn images, the
// performance graph with what lies over it, and icons made from pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::Resolve;

namespace {

bool IsSeeThrough(const ui::Control& c) {
    if (auto* l = dynamic_cast<const ui::Label*>(&c)) {
        return c.GetKind() == ui::Kind::Label && l->Transparent();
    }
    if (auto* i = dynamic_cast<const ui::Image*>(&c)) return i->Transparent();
    return false;
}

bool Overlaps(const ui::Control& a, const ui::Control& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
           a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// A 32-bit picture with its rows from the top.
BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// 0x00BBGGRR to a DIB's 0x00RRGGBB.
std::uint32_t ToDib(ui::Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace

namespace binding_detail {

COLORREF Resolve(ui::Color c, int fallbackIndex) {
    if (c == ui::kClDefault) return GetSysColor(fallbackIndex);
    if (ui::IsSystemColor(c)) return GetSysColor(ui::SystemColorIndex(c));
    return static_cast<COLORREF>(c & 0xFFFFFFu);
}

}  // namespace binding_detail

// Icon

Icon::~Icon() {
    if (h_) DestroyIcon(h_);
}

Icon& Icon::operator=(Icon&& other) noexcept {
    if (this != &other) {
        if (h_) DestroyIcon(h_);
        h_ = other.h_;
        other.h_ = nullptr;
    }
    return *this;
}

Icon MakeIcon(const ui::Bitmap& picture) {
    if (picture.Empty()) return Icon();
    const int w = picture.Width(), h = picture.Height();
    const ui::Color key = picture.Pixel(0, h - 1);

    const BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    // Monochrome rows are padded to 16 bits; a set bit is transparent.
    const int stride = ((w + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * h, 0);
    if (!color || !bits) {
        if (color) DeleteObject(color);
        return Icon();
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ui::Color c = picture.Pixel(x, y);
            std::uint32_t& px = out[static_cast<std::size_t>(y) * w + x];
            if (c == key) {
                px = 0;
                mask[static_cast<std::size_t>(y) * stride + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else {
                px = 0xFF000000u | ToDib(c);
            }
        }
    }
    HBITMAP monochrome = CreateBitmap(w, h, 1, 1, mask.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = monochrome;
    info.hbmColor = color;
    HICON icon = monochrome ? CreateIconIndirect(&info) : nullptr;
    if (monochrome) DeleteObject(monochrome);
    DeleteObject(color);
    return Icon(icon);
}

HFONT Binding::FontFor(const ui::Font& f) {
    std::string key = f.name + "|" + std::to_string(f.size) + (f.bold ? "|b" : "|");
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(f.size, dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
    if (dc) ReleaseDC(nullptr, dc);
    HFONT font = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_[key] = font;
    return font;
}

HBRUSH Binding::BrushFor(COLORREF c) {
    auto it = brushes_.find(c);
    if (it != brushes_.end()) return it->second;
    HBRUSH brush = CreateSolidBrush(c);
    brushes_[c] = brush;
    return brush;
}

LRESULT Binding::ControlColor(HDC dc, HWND child, UINT msg, HWND, bool& handled) {
    ui::Control* c = ControlOf(child);
    if (!c) c = ControlOf(GetParent(child));  // the edit or list of a combo box
    if (!c) return 0;
    // A template's control keeps the dialog's own painting (a themed page's background
    // included) unless its model asks for a colour of its own.
    const Bound* b = Find(*c);
    const bool ownColour =
        !(c->GetColor() & ui::kSystemColor) || !(c->GetFont().color & ui::kSystemColor);
    if (b && !b->created && !ownColour) return 0;
    handled = true;
    const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, Resolve(c->GetFont().color, field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    auto* label = dynamic_cast<ui::Label*>(c);
    if (label && label->Transparent()) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    COLORREF back = Resolve(c->GetColor(), field ? COLOR_WINDOW : COLOR_BTNFACE);
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
}

void Binding::DrawImage(const DRAWITEMSTRUCT& di) {
    auto& image = static_cast<ui::Image&>(*ControlOf(di.hwndItem));
    RECT rc = di.rcItem;
    FillRect(di.hDC, &rc, BrushFor(Resolve(image.GetColor(), COLOR_BTNFACE)));
    const ui::Bitmap& picture = image.Picture();
    if (picture.Empty()) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(picture.Pixels().size());
    for (ui::Color c : picture.Pixels()) pixels.push_back(ToDib(c));
    const BITMAPINFO bi = TopDown32(picture.Width(), picture.Height());
    int w = image.Stretch() ? rc.right - rc.left : picture.Width();
    int h = image.Stretch() ? rc.bottom - rc.top : picture.Height();
    StretchDIBits(di.hDC, rc.left, rc.top, w, h, 0, 0, picture.Width(), picture.Height(),
                  pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

const ui::Control* Binding::GraphUnder(const ui::Control& c) {
    if (!c.Parent() || !IsSeeThrough(c)) return nullptr;
    const ui::Control* under = nullptr;
    for (const ui::Control* sibling : c.Parent()->Children()) {
        if (sibling == &c) return under;
        if (sibling->GetKind() == ui::Kind::PerformanceGraph && Overlaps(*sibling, c))
            under = sibling;
    }
    return nullptr;
}

void Binding::DrawGraph(HDC dc, ui::Control& graphModel) {
    auto& graph = static_cast<ui::TPerformanceGraph&>(graphModel);
    const ui::Bitmap& picture = graph.Paint();
    const int w = picture.Width(), h = picture.Height();
    if (w == 0 || h == 0) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(picture.Pixels().size());
    for (ui::Color c : picture.Pixels()) pixels.push_back(ToDib(c));
    std::vector<const ui::Control*> overlays;
    for (const ui::Control* sibling : graph.Parent()->Children()) {
        if (GraphUnder(*sibling) != &graph) continue;
        const Bound* ob = Find(*sibling);
        if (!ob || !ShownInContainer(*ob)) continue;
        overlays.push_back(sibling);
        const auto* image = dynamic_cast<const ui::Image*>(sibling);
        if (!image || image->Picture().Empty()) continue;
        const ui::Bitmap& over = image->Picture();
        const ui::Color key = over.Pixel(0, over.Height() - 1);
        const int dx = sibling->Left() - graph.Left(), dy = sibling->Top() - graph.Top();
        for (int y = 0; y < over.Height(); ++y) {
            for (int x = 0; x < over.Width(); ++x) {
                const ui::Color c = over.Pixel(x, y);
                const int gx = x + dx, gy = y + dy;
                if (c == key || gx < 0 || gy < 0 || gx >= w || gy >= h) continue;
                pixels[static_cast<std::size_t>(gy) * w + gx] = ToDib(c);
            }
        }
    }
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = mem ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (!bitmap) {
        if (mem) DeleteDC(mem);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    const BITMAPINFO bi = TopDown32(w, h);
    SetDIBitsToDevice(mem, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
    SetBkMode(mem, TRANSPARENT);
    for (const ui::Control* o : overlays) {
        const auto* label = dynamic_cast<const ui::Label*>(o);
        if (!label) continue;
        HGDIOBJ oldFont = SelectObject(mem, FontFor(label->GetFont()));
        SetTextColor(mem, Resolve(label->GetFont().color, COLOR_BTNTEXT));
        RECT r{o->Left() - graph.Left(), o->Top() - graph.Top(), 0, 0};
        r.right = r.left + o->Width();
        r.bottom = r.top + o->Height();
        UINT format = DT_NOPREFIX | DT_SINGLELINE;
        if (label->GetAlignment() == ui::Alignment::Center) format |= DT_CENTER;
        if (label->GetAlignment() == ui::Alignment::Right) format |= DT_RIGHT;
        if (label->GetLayout() == ui::Layout::Center) format |= DT_VCENTER;
        DrawTextA(mem, label->Caption().c_str(), -1, &r, format);
        SelectObject(mem, oldFont);
    }
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

LRESULT Binding::GraphMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ui::Control* c = ControlOf(hwnd);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers it all
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc && c) DrawGraph(dc, *c);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (c) DrawGraph(reinterpret_cast<HDC>(wp), *c);
            return 0;
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // a picture on its parent: clicks go through
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace win32
