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

int BandMax(const GraphBand& band) {
    int m = 0;
    for (int i = 0; i < band.count; ++i)
        m = std::max(m, band.points[static_cast<std::size_t>(i)].value);
    return m;
}

constexpr int kNoLine = std::numeric_limits<int>::min();
const GraphBand kEmptyBand{};

}  // namespace

TPerformanceGraph::TPerformanceGraph(std::string name)
    : Control(Kind::PerformanceGraph, std::move(name)) {
    SetBounds(0, 0, 100, 100);
    ring_.resize(static_cast<std::size_t>(GetBandCount() + 2));
    gridLineAt_.assign(ring_.size(), kNoLine);
    w_ = Width();
    h_ = Height();
    Initialize(gridSize_ - 1);
    if (gridlines_) phase_ = PhaseAfterGrid(gridSize_ - 1);
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
    GraphBand& band = ring_[static_cast<std::size_t>(current_)];
    retired_.count = band.count;
    std::copy_n(band.points.begin(), band.count, retired_.points.begin());
    band.count = 0;
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

// Where the vertical lines from firstX leave the next one: the first at or beyond W, less W.
int TPerformanceGraph::PhaseAfterGrid(int firstX) const {
    if (firstX >= w_) return firstX - w_;
    const int lines = (w_ - firstX + gridSize_ - 1) / gridSize_;
    return firstX + lines * gridSize_ - w_;
}

// Draws the background at the size kept in w_, h_; the grid phase is the caller's.
void TPerformanceGraph::Initialize(int firstX) {
    const int w = w_, h = h_;
    picture_ = Bitmap(w, h, backColor_);
    if (gridlines_) {
        HorizontalGridLines(0, w);
        for (int x = firstX; x < w; x += gridSize_) VerticalGridLine(x);
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

void TPerformanceGraph::DisplayPoints(const GraphBand& band, int count, const GraphBand& before) {
    int base = 0;
    for (int i = 0; i < count; ++i) {
        const GraphPoint& p = band.points[static_cast<std::size_t>(i)];
        if (p.value == 0) continue;
        if (kind_ == TGraphKind::pgBar) {
            PaintBar(p.color, base, ClampToInt(static_cast<std::int64_t>(p.value) - base));
            base = p.value;
        } else {
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
    w_ = Width();
    h_ = Height();
    // A negative phase (steps wider than the grid) may leave the first line left of 0.
    replayFirstX_ = (w_ + phase_) % gridSize_;
    if (gridlines_) phase_ = PhaseAfterGrid(replayFirstX_);
    replayCount_ = ring_[static_cast<std::size_t>(current_)].count;
    replayPending_ = true;
    pending_ = 0;
    lastUndrawn_ = false;
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
    gridLineAt_.assign(ring_.size(), kNoLine);
    first_ = 0;
    current_ = copied - 1;
    largest_ = ScanLargest();
}

int TPerformanceGraph::ScanLargest() const {
    int m = 0;
    for (int i = 0; i < RingSize(); ++i)
        if (i != current_) m = std::max(m, BandMax(ring_[static_cast<std::size_t>(i)]));
    return m;
}

// The largest value after a ShiftY, looking at the whole ring only when the band that left
// may have held it.
int TPerformanceGraph::TrackLargest() {
    if (largest_ > 0 && BandMax(retired_) >= largest_)
        largest_ = ScanLargest();
    else
        largest_ = std::max(largest_, BandMax(ring_[static_cast<std::size_t>(LastY(current_))]));
    return largest_;
}

// Bands the ring no longer holds stay out of view unless a wide pen reaches past its strip.
bool TPerformanceGraph::LostBandsCanShow() const {
    return kind_ == TGraphKind::pgLine && w_ % stepSize_ - stepSize_ - 1 + penWidth_ / 2 >= 0;
}

void TPerformanceGraph::Update() {
    if (Width() != w_ || Height() != h_) return UpdateNow();
    // A replay still to draw needs bands the next shift overwrites.
    if (replayPending_ && pending_ >= 1 && LostBandsCanShow()) Draw();
    const int closed = current_;
    if (gridlines_) {
        int line = kNoLine;
        phase_ -= stepSize_;
        if (phase_ < 0) {
            line = w_ + phase_;
            phase_ += gridSize_;
        }
        gridLineAt_[static_cast<std::size_t>(closed)] = line;
    }
    pending_ = std::min(pending_ + 1, RingSize());
    ShiftY();
    const int s = RoundUp(TrackLargest(), gradient_);
    if (s == scale_) {
        Notify(Change::Picture);
    } else {
        lastUndrawn_ = true;  // as an update would show it to OnScaleChange
        SetScale(s);
    }
}

// An update on a picture of a size the control no longer has (Paint not called since the
// resize) draws at once, as it always did.
void TPerformanceGraph::UpdateNow() {
    Draw();
    ScrollGraph();
    ShiftY();
    const int s = RoundUp(TrackLargest(), gradient_);
    if (s == scale_) {
        const int band = LastY(current_);
        DisplayPoints(ring_[static_cast<std::size_t>(band)],
                      ring_[static_cast<std::size_t>(band)].count,
                      ring_[static_cast<std::size_t>(LastY(band))]);
        Notify(Change::Picture);
    } else {
        SetScale(s);
    }
}

void TPerformanceGraph::Draw() {
    if (!replayPending_ && pending_ == 0) return;
    if (replayPending_) DrawReplay();
    const std::int64_t shift = static_cast<std::int64_t>(pending_) * stepSize_;
    if (pending_ > 0 && shift < w_) picture_.CopyRect(static_cast<int>(shift), 0, w_, h_, 0, 0);
    DrawStrips();
    replayPending_ = false;
    pending_ = 0;
    lastUndrawn_ = false;
}

// The replay as it was drawn before the pending updates: bands c0 - B .. c0 from x = W mod
// step, c0 the band that was current then. Those the ring has reused since lie out of view.
void TPerformanceGraph::DrawReplay() {
    Initialize(replayFirstX_);
    const int n = RingSize(), bands = w_ / stepSize_, k = pending_;
    const int skip = std::max(0, k - 1);
    int index = ((current_ - k - bands + skip) % n + n) % n;
    int x = w_ % stepSize_ + skip * stepSize_;
    for (int i = skip; i <= bands; ++i) {
        const GraphBand& band = ring_[static_cast<std::size_t>(index)];
        const int before = LastY(index);
        strip_.left = x;
        strip_.right = x + stepSize_;
        DisplayPoints(band, i == bands ? replayCount_ : band.count,
                      before == current_ ? retired_ : ring_[static_cast<std::size_t>(before)]);
        x += stepSize_;
        index = index + 1 == n ? 0 : index + 1;
    }
    strip_.left = w_ - stepSize_;
    strip_.right = w_;
}

// The strips of the pending updates still in view, oldest first, each as its update drew
// it at the right edge, moved left by the updates after it. What a wide pen drew right of
// its strip the newer strips cover, as they did then.
void TPerformanceGraph::DrawStrips() {
    const int visible = std::min(pending_, (w_ + stepSize_ - 1) / stepSize_);
    int index = current_;
    for (int j = 0; j < visible; ++j) index = LastY(index);
    for (int j = visible - 1; j >= 0; --j) {
        const int right = w_ - j * stepSize_, left = right - stepSize_;
        picture_.FillRect(left, 0, right, h_, backColor_);
        if (gridlines_) {
            HorizontalGridLines(left, right);
            const int line = gridLineAt_[static_cast<std::size_t>(index)];
            if (line != kNoLine) VerticalGridLine(line - j * stepSize_);
        }
        if (j > 0 || !lastUndrawn_) {
            const int before = LastY(index);
            // An update read the band before from the ring; with two bands that was the
            // current one, just emptied.
            const GraphBand& prior = before != current_ ? ring_[static_cast<std::size_t>(before)]
                                     : RingSize() == 2  ? kEmptyBand
                                                        : retired_;
            strip_.left = left;
            strip_.right = right;
            const GraphBand& band = ring_[static_cast<std::size_t>(index)];
            DisplayPoints(band, band.count, prior);
        }
        index = index + 1 == RingSize() ? 0 : index + 1;
    }
    strip_.left = w_ - stepSize_;
    strip_.right = w_;
}

const Bitmap& TPerformanceGraph::Paint() {
    if (w_ != Width() || h_ != Height()) Replay();
    Draw();
    return picture_;
}

const Bitmap& TPerformanceGraph::Picture() {
    Draw();
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
    if (OnScaleChange) Draw();  // the handler sees what the old scale drew
    scale_ = v;
    if (OnScaleChange) OnScaleChange(*this);
    Replay();
}

}  // namespace ui
