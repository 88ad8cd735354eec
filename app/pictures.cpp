#include "app/pictures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace app {

namespace {

// 5 x 7 glyphs, one byte per row, bit 4 the leftmost column.
struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kGlyphs[] = {
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const Glyph* FindGlyph(char c) {
    for (const Glyph& g : kGlyphs) {
        if (g.c == c) return &g;
    }
    return nullptr;
}

// Draws text with square pixels of the given scale; returns the width drawn.
int DrawText5x7(ui::Bitmap& b, int x, int y, int scale, std::string_view text, ui::Color c) {
    int start = x;
    for (char ch : text) {
        if (const Glyph* g = FindGlyph(ch)) {
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g->rows[row] & (0x10 >> col)) {
                        b.FillRect(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                   y + (row + 1) * scale, c);
                    }
                }
            }
        }
        x += 6 * scale;
    }
    return x - start;
}

ui::Color Mix(ui::Color a, ui::Color b, int num, int den) {
    auto part = [&](int shift) {
        int pa = static_cast<int>((a >> shift) & 0xFF), pb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<ui::Color>(pa + (pb - pa) * num / den) << shift;
    };
    return part(0) | part(8) | part(16);
}

}  // namespace

ui::Bitmap LogoPicture() {
    constexpr int kW = 270, kH = 56;
    ui::Bitmap b(kW, kH);
    for (int x = 0; x < kW; ++x) b.FillRect(x, 0, x + 1, kH, Mix(0x5A1E00, 0xD08A2A, x, kW));
    // Three arcs of a radio wave at the right.
    for (int r = 10; r <= 30; r += 10) {
        for (int y = -r; y <= r; ++y) {
            for (int x = 0; x <= r; ++x) {
                int d = x * x + y * y;
                if (d <= r * r && d > (r - 3) * (r - 3)) b.SetPixel(232 + x, 28 + y, 0xF0E0C0);
            }
        }
    }
    b.FillRect(228, 24, 236, 32, ui::kWhite);
    DrawText5x7(b, 12, 6, 4, "VELMORA", ui::kWhite);
    DrawText5x7(b, 14, 40, 2, "ZN6200  802.11A/B", 0xF0E0C0);
    return b;
}

ui::Bitmap TrayPicture(LinkPicture kind) {
    constexpr ui::Color kBack = 0xFF00FF;  // transparent key
    ui::Bitmap b(32, 32, kBack);
    int lit = 0;
    ui::Color on = ui::kGray;
    switch (kind) {
        case LinkPicture::Scanning:
            lit = 0;
            break;
        case LinkPicture::Bad:
            lit = 1, on = 0x0000E0;
            break;
        case LinkPicture::Poor:
            lit = 2, on = 0x00C8F0;
            break;
        case LinkPicture::Good:
            lit = 4, on = 0x00B000;
            break;
    }
    for (int i = 0; i < 4; ++i) {
        int left = 3 + i * 7, top = 24 - i * 6;
        b.FillRect(left, top, left + 5, 30, ui::kBlack);
        b.FillRect(left + 1, top + 1, left + 4, 29, i < lit ? on : ui::kSilver);
    }
    if (kind == LinkPicture::Scanning) {
        // A small magnifier over the bars.
        for (int y = -5; y <= 5; ++y) {
            for (int x = -5; x <= 5; ++x) {
                int d = x * x + y * y;
                if (d <= 25 && d >= 12) b.SetPixel(10 + x, 9 + y, ui::kNavy);
            }
        }
        for (int i = 0; i < 6; ++i) b.FillRect(13 + i, 12 + i, 16 + i, 14 + i, ui::kNavy);
    }
    return b;
}

}  // namespace app
