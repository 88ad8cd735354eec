// A scrolling history chart that paints into a picture of its own size.
//
// Each Update closes one band of up to 16 data points and draws it as a strip at the right
// edge; older strips move left. The ring holds GetBandCount() + 2 bands: the oldest (not
// drawn), the visible ones, and the current band that is being filled.
//
// Drawing waits until the picture is asked for (Paint, Picture): a graph off screen costs
// next to nothing per update. What is then drawn is what drawing at every update would have
// drawn: one scroll for all the waiting updates, then the strips still in view.
#pragma once
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/image.h"

namespace ui {

enum class TGraphKind { pgBar = 0, pgLine = 1 };

struct GraphPoint {
    Color color = kBlack;
    int value = 0;
};

struct GraphBand {
    static constexpr int kMaxPoints = 16;
    std::array<GraphPoint, kMaxPoints> points{};
    int count = 0;
};

struct GraphRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class TPerformanceGraph : public Control {
  public:
    explicit TPerformanceGraph(std::string name = {});

    TGraphKind GraphKind() const { return kind_; }
    void SetGraphKind(TGraphKind k);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    int GridSize() const { return gridSize_; }
    void SetGridSize(int v);
    int StepSize() const { return stepSize_; }
    void SetStepSize(int v);
    int Scale() const { return scale_; }
    void SetScale(int v);
    int Gradient() const { return gradient_; }
    void SetGradient(int v);
    bool Gridlines() const { return gridlines_; }
    void SetGridlines(bool on);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int v);
    std::function<void(TPerformanceGraph&)> OnScaleChange;

    // Adds a point to the current band; a 17th point throws std::out_of_range.
    void DataPoint(Color color, int value);
    void Update();
    // The picture at the control's size, rebuilt first when the control was resized.
    const Bitmap& Paint();
    // With every update drawn, but without bringing it to the control's size.
    const Bitmap& Picture();

    int GetBandCount() const { return std::max(Width(), 0) / stepSize_; }
    static int RoundUp(int a, int b);
    int FirstY() const { return first_; }
    int NextY(int i) const;
    int LastY(int i) const;
    int CurrentY() const { return current_; }
    int RingSize() const { return static_cast<int>(ring_.size()); }
    const GraphBand& Band(int i) const { return ring_.at(static_cast<std::size_t>(i)); }
    int GridPhase() const { return phase_; }

  private:
    TGraphKind kind_ = TGraphKind::pgLine;
    Color foreColor_ = kGreen;
    Color backColor_ = kBlack;
    int gridSize_ = 15;
    int stepSize_ = 3;
    int scale_ = 1000;
    int gradient_ = 100;
    bool gridlines_ = true;
    int penWidth_ = 2;

    std::vector<GraphBand> ring_;
    int first_ = 1;
    int current_ = 0;
    int phase_ = 0;
    Bitmap picture_;
    GraphRect strip_, scrollFrom_, scrollTo_;

    // The drawing not done yet: a replay (with the current band's point count then), and
    // the updates after the picture or that replay, at most a ring's worth.
    int w_ = 0, h_ = 0;  // the picture's size once drawn
    bool replayPending_ = false;
    int replayFirstX_ = 0, replayCount_ = 0;
    int pending_ = 0;
    bool lastUndrawn_ = false;  // the newest update's band waits for its rescale
    // Per band, where the update that closed it put a vertical grid line (kNoLine: none).
    std::vector<int> gridLineAt_;
    GraphBand retired_;  // what the band the last ShiftY emptied held
    int largest_ = 0;    // the largest value in the closed bands, at least 0

    void ShiftY();
    void Initialize(int firstX);
    int PhaseAfterGrid(int firstX) const;
    void ScrollGraph();
    void DisplayPoints(const GraphBand& band, int count, const GraphBand& before);
    void Draw();
    void DrawReplay();
    void DrawStrips();
    bool LostBandsCanShow() const;
    void UpdateNow();
    int TrackLargest();
    int ScanLargest() const;
    void PaintBar(Color color, int base, int height);
    void PaintLine(Color color, int from, int to);
    void ReallocHistory();
    void Replay();
    int Scaled(int value) const;
    void HorizontalGridLines(int left, int right);
    void VerticalGridLine(int x);
};

}  // namespace ui
