// Reading pictures back in tests: where a colour stands in a column.
#pragma once
#include <ostream>

#include "ui/image.h"

// The first to the last row of column x that has colour c, as [top, bottom); {-1, -1} when
// none has.
struct Rows {
    int top = -1, bottom = -1;
    bool operator==(const Rows&) const = default;
};

inline Rows ColumnRun(const ui::Bitmap& bm, int x, ui::Color c) {
    Rows r;
    for (int y = 0; y < bm.Height(); ++y) {
        if (bm.Pixel(x, y) != c) continue;
        if (r.top < 0) r.top = y;
        r.bottom = y + 1;
    }
    return r;
}

inline void PrintTo(const Rows& r, std::ostream* os) {
    *os << "[" << r.top << ", " << r.bottom << ")";
}
