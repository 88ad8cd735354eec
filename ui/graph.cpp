#include "ui/graph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace ui {

namespace {

// A pen line from (x0, y0) towards (x1, y1), the end point left out as GDI does; a wider pen
// is a square of that size at every point.
void DrawLine(Bitmap& bm, int x0, int y0, int x1, int y1, Color c, int width) {
    const int lo = -(std::max(width, 1) - 1) / 2, hi = lo + std::max(width, 1);
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        bm.FillRect(x + lo, y + lo, x + hi, y + hi, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

TPerformanceGraph::TPerformanceGraph(std::string name)
    : Control(Kind::PerformanceGraph, std::move(name)) {
    SetBounds(0, 0, 100, 100);
    ring_.resize(static_cast<std::size_t>(GetBandCount() + 2));
    Initialize(gridSize_ - 1);
}

int TPerformanceGraph::RoundUp(int a, int b) {
    if (b == 0 || a % b == 0) return a;
    return ClampToInt((static_cast<std::int64_t>(a) / b + 1) * b);
}

int TPerformanceGraph::NextY(int i) const {
    int next = i + 1 == RingSize() ? 0 : i + 1;
    return next == first_ ? -1 : next;
}

int TPerformanceGraph::LastY(int i) const {
    return i == 0 ? RingSize() - 1 : i - 1;
}

void TPerformanceGraph::ShiftY() {
    current_ = current_ + 1 == RingSize() ? 0 : current_ + 1;
    ring_[static_cast<std::size_t>(current_)].count = 0;
    first_ = current_ + 1 == RingSize() ? 0 : current_ + 1;
}

void TPerformanceGraph::DataPoint(Color color, int value) {
    GraphBand& band = ring_[static_cast<std::size_t>(current_)];
    if (band.count >= GraphBand::kMaxPoints)
        throw std::out_of_range("A band of the graph holds 16 data points at most");
    band.points[static_cast<std::size_t>(band.count++)] = GraphPoint{color, value};
}

void TPerformanceGraph::HorizontalGridLines(int left, int right) {
    for (int y = gridSize_; y < picture_.Height(); y += gridSize_)
        picture_.FillRect(left, y, right, y + 1, foreColor_);
}

void TPerformanceGraph::VerticalGridLine(int x) {
    picture_.FillRect(x, 0, x + 1, picture_.Height(), foreColor_);
}

void TPerformanceGraph::Initialize(int firstX) {
    const int w = Width(), h = Height();
    picture_ = Bitmap(w, h, backColor_);
    if (gridlines_) {
        HorizontalGridLines(0, w);
        int x = firstX;
        for (; x < w; x += gridSize_) VerticalGridLine(x);
        phase_ = x - w;
    }
    strip_ = GraphRect{w - stepSize_, 0, w, h};
    scrollFrom_ = GraphRect{stepSize_, 0, w, h};
    scrollTo_ = GraphRect{0, 0, w - stepSize_, h};
}

void TPerformanceGraph::ScrollGraph() {
    picture_.CopyRect(scrollFrom_.left, scrollFrom_.top, scrollFrom_.right, scrollFrom_.bottom,
                      scrollTo_.left, scrollTo_.top);
    picture_.FillRect(strip_.left, strip_.top, strip_.right, strip_.bottom, backColor_);
    if (!gridlines_) return;
    HorizontalGridLines(strip_.left, strip_.right);
    phase_ -= stepSize_;
    if (phase_ < 0) {
        VerticalGridLine(Width() + phase_);
        phase_ += gridSize_;
    }
}

int TPerformanceGraph::Scaled(int value) const {
    // Nothing has a height on a scale of 0 (all values were 0).
    if (scale_ == 0) return 0;
    double px = static_cast<double>(value) / scale_ * picture_.Height();
    return static_cast<int>(std::clamp(px, -1e9, 1e9));
}

void TPerformanceGraph::PaintBar(Color color, int base, int height) {
    const int h = Scaled(height);
    if (h == 0) return;
    const int b = Scaled(base), bottom = picture_.Height() - b;
    picture_.FillRect(strip_.left, bottom - h - 1, strip_.right, bottom, color);
}

void TPerformanceGraph::PaintLine(Color color, int from, int to) {
    const int h = picture_.Height();
    DrawLine(picture_, strip_.left, h - Scaled(from), strip_.right, h - Scaled(to), color,
             penWidth_);
}

void TPerformanceGraph::DisplayPoints(int index) {
    const GraphBand& band = ring_[static_cast<std::size_t>(index)];
    int base = 0;
    for (int i = 0; i < band.count; ++i) {
        const GraphPoint& p = band.points[static_cast<std::size_t>(i)];
        if (p.value == 0) continue;
        if (kind_ == TGraphKind::pgBar) {
            PaintBar(p.color, base, ClampToInt(static_cast<std::int64_t>(p.value) - base));
            base = p.value;
        } else {
            const GraphBand& before = ring_[static_cast<std::size_t>(LastY(index))];
            int from = 0;
            for (int j = 0; j < before.count; ++j) {
                if (before.points[static_cast<std::size_t>(j)].color == p.color) {
                    from = before.points[static_cast<std::size_t>(j)].value;
                    break;
                }
            }
            PaintLine(p.color, from, p.value);
        }
    }
}

void TPerformanceGraph::Replay() {
    if (RingSize() != GetBandCount() + 2) ReallocHistory();
    Initialize((Width() + phase_) % gridSize_);
    const GraphRect saved = strip_;
    // The strips end at the right edge; a band count of 0 (control narrower than a strip)
    // must not divide.
    int x = Width() % stepSize_;
    for (int band = NextY(first_); band != -1; band = NextY(band)) {
        strip_.left = x;
        strip_.right = x + stepSize_;
        DisplayPoints(band);
        x += stepSize_;
    }
    strip_ = saved;
    Notify(Change::Picture);
}

void TPerformanceGraph::ReallocHistory() {
    const int n = RingSize(), wanted = GetBandCount() + 2;
    std::vector<GraphBand> ring(static_cast<std::size_t>(wanted));
    int from = first_;
    for (int skip = n - wanted; skip > 0; --skip) from = from + 1 == n ? 0 : from + 1;
    const int copied = std::min(n, wanted);
    for (int i = 0; i < copied; ++i) {
        ring[static_cast<std::size_t>(i)] = ring_[static_cast<std::size_t>(from)];
        from = from + 1 == n ? 0 : from + 1;
    }
    ring_ = std::move(ring);
    first_ = 0;
    current_ = copied - 1;
}

void TPerformanceGraph::Update() {
    ScrollGraph();
    ShiftY();
    int m = 0;
    for (int band = first_; band != -1; band = NextY(band)) {
        const GraphBand& b = ring_[static_cast<std::size_t>(band)];
        for (int i = 0; i < b.count; ++i)
            m = std::max(m, b.points[static_cast<std::size_t>(i)].value);
    }
    const int s = RoundUp(m, gradient_);
    if (s == scale_) {
        DisplayPoints(LastY(current_));
        Notify(Change::Picture);
    } else {
        SetScale(s);
    }
}

const Bitmap& TPerformanceGraph::Paint() {
    if (picture_.Width() != Width() || picture_.Height() != Height()) Replay();
    return picture_;
}

void TPerformanceGraph::SetGraphKind(TGraphKind k) {
    if (k == kind_) return;
    kind_ = k;
    Replay();
}

void TPerformanceGraph::SetForeColor(Color c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    Replay();
}

void TPerformanceGraph::SetBackColor(Color c) {
    if (c == backColor_) return;
    backColor_ = c;
    Replay();
}

void TPerformanceGraph::SetGradient(int v) {
    if (v == gradient_) return;
    gradient_ = v;
    Replay();
}

void TPerformanceGraph::SetGridlines(bool on) {
    if (on == gridlines_) return;
    gridlines_ = on;
    Replay();
}

void TPerformanceGraph::SetGridSize(int v) {
    v = std::max(v, 2);
    if (v == gridSize_) return;
    gridSize_ = v;
    Replay();
}

void TPerformanceGraph::SetStepSize(int v) {
    v = std::max(v, 1);
    if (v == stepSize_) return;
    stepSize_ = v;
    ReallocHistory();
    Replay();
}

void TPerformanceGraph::SetPenWidth(int v) {
    if (v == penWidth_) return;
    penWidth_ = v;
    Replay();
}

void TPerformanceGraph::SetScale(int v) {
    v = RoundUp(v, gradient_);
    if (v == scale_) return;
    scale_ = v;
    if (OnScaleChange) OnScaleChange(*this);
    Replay();
}

}  // namespace ui
