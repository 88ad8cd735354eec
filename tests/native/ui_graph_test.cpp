#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "tests/native/pixels.h"
#include "ui/graph.h"

namespace {

using ui::TGraphKind;
using ui::TPerformanceGraph;

// The graphs of the statistics page.
struct RateGraph : TPerformanceGraph {
    RateGraph() {
        SetBounds(8, 20, 289, 80);
        SetGraphKind(TGraphKind::pgBar);
        SetForeColor(ui::kRed);
        SetGridSize(16);
        SetStepSize(1);
        SetScale(500);
        SetGradient(500);
        SetGridlines(false);
        SetPenWidth(1);
    }
    void Sample(int v) {
        DataPoint(ui::kRed, v);
        Update();
    }
};

TEST(PerformanceGraph, NewControlHasTheDefaultRingAndGrid) {
    TPerformanceGraph g;
    EXPECT_EQ(g.Width(), 100);
    EXPECT_EQ(g.Height(), 100);
    EXPECT_EQ(g.RingSize(), 35);
    EXPECT_EQ(g.FirstY(), 1);
    EXPECT_EQ(g.CurrentY(), 0);
    EXPECT_EQ(g.GraphKind(), TGraphKind::pgLine);
    EXPECT_EQ(g.Scale(), 1000);
    EXPECT_EQ(g.Gradient(), 100);
    // Vertical lines from x = 14 every 15 pixels; the next would fall at 104.
    const ui::Bitmap& bm = g.Picture();
    EXPECT_EQ(ColumnRun(bm, 14, ui::kGreen), (Rows{0, 100}));
    EXPECT_EQ(ColumnRun(bm, 89, ui::kGreen), (Rows{0, 100}));
    EXPECT_EQ(bm.Pixel(13, 3), ui::kBlack);
    EXPECT_EQ(bm.Pixel(3, 15), ui::kGreen);
    EXPECT_EQ(bm.Pixel(3, 90), ui::kGreen);
    EXPECT_EQ(bm.Pixel(3, 16), ui::kBlack);
    EXPECT_EQ(g.GridPhase(), 4);
}

TEST(PerformanceGraph, GridScrollsWithTheSamplesAndNewLinesEnterAtThePhase) {
    TPerformanceGraph g;
    g.Update();  // phase 4 - 3 = 1
    EXPECT_EQ(g.GridPhase(), 1);
    g.Update();  // phase -2: a line at 98, phase back up by 15
    EXPECT_EQ(g.GridPhase(), 13);
    const ui::Bitmap& bm = g.Picture();
    EXPECT_EQ(ColumnRun(bm, 98, ui::kGreen), (Rows{0, 100}));
    EXPECT_EQ(ColumnRun(bm, 83, ui::kGreen), (Rows{0, 100}));  // was at 89
    EXPECT_EQ(bm.Pixel(99, 45), ui::kGreen);                   // horizontal lines in new strips
    EXPECT_EQ(bm.Pixel(99, 46), ui::kBlack);
}

TEST(PerformanceGraph, BarHeightFollowsTheScaleAndBarsOfABandStack) {
    RateGraph g;
    g.Sample(250);  // 40 pixels, drawn one row higher as the fill runs from H - h - 1
    EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kRed), (Rows{39, 80}));
    EXPECT_EQ(ColumnRun(g.Picture(), 287, ui::kRed), Rows{});

    g.DataPoint(ui::kRed, 100);
    g.DataPoint(ui::kLime, 0);  // skipped: the next bar stands on 100
    g.DataPoint(ui::kLime, 300);
    g.Update();
    EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kRed), (Rows{64, 80}));
    EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kLime), (Rows{31, 64}));
    EXPECT_EQ(ColumnRun(g.Picture(), 287, ui::kRed), (Rows{39, 80}));
}

TEST(PerformanceGraph, ZeroSampleLeavesItsStripEmptyInBothKinds) {
    for (TGraphKind kind : {TGraphKind::pgBar, TGraphKind::pgLine}) {
        SCOPED_TRACE(static_cast<int>(kind));
        RateGraph g;
        g.SetGraphKind(kind);
        g.Sample(400);
        g.Sample(0);
        EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kRed), Rows{});
        EXPECT_NE(ColumnRun(g.Picture(), 287, ui::kRed), Rows{});
    }
}

TEST(PerformanceGraph, LineJoinsThePreviousBandsPointOfTheSameColour) {
    TPerformanceGraph g;
    g.SetGridlines(false);
    g.SetGradient(500);
    g.SetScale(500);
    g.SetPenWidth(1);
    g.DataPoint(ui::kRed, 100);
    g.DataPoint(ui::kLime, 400);
    g.Update();
    g.DataPoint(ui::kRed, 300);
    g.Update();
    // From (97, 100 - 20) towards (100, 100 - 60), the end point left out.
    const ui::Bitmap& bm = g.Picture();
    EXPECT_EQ(ColumnRun(bm, 97, ui::kRed).bottom, 81);
    EXPECT_GT(ColumnRun(bm, 99, ui::kRed).top, 40);
    EXPECT_LT(ColumnRun(bm, 99, ui::kRed).bottom, 80);
    // The first band had nothing before it: both its lines rise from the bottom.
    EXPECT_EQ(bm.Pixel(95, 93), ui::kRed);
    EXPECT_EQ(bm.Pixel(94, 93), ui::kLime);
    EXPECT_LT(ColumnRun(bm, 96, ui::kLime).top, 40);
}

TEST(PerformanceGraph, ScaleFollowsTheLargestValueInTheRing) {
    RateGraph g;
    std::vector<int> changes;
    g.OnScaleChange = [&](TPerformanceGraph& s) { changes.push_back(s.Scale()); };
    g.Sample(250);
    g.Sample(501);
    EXPECT_EQ(g.Scale(), 1000);
    // The whole history is redrawn at half height.
    EXPECT_EQ(ColumnRun(g.Picture(), 287, ui::kRed), (Rows{59, 80}));
    EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kRed), (Rows{39, 80}));
    g.Sample(300);
    // 291 bands: a band is reused 291 updates after it was filled.
    for (int k = 1; k <= 288; ++k) g.Sample(0);
    EXPECT_EQ(g.Scale(), 1000);  // 250 has left, 501 has not
    g.Sample(0);
    EXPECT_EQ(g.Scale(), 500);  // what is left is 300
    g.Sample(0);
    EXPECT_EQ(g.Scale(), 0);
    EXPECT_EQ(changes, (std::vector<int>{1000, 500, 0}));
    // Nothing is drawn on a scale of 0.
    for (int x = 0; x < 289; ++x) ASSERT_EQ(ColumnRun(g.Picture(), x, ui::kRed), Rows{}) << x;
}

// Lines end on the next strip's first column, which an update clears and a replay does not,
// so only bars redraw identically.
TEST(PerformanceGraph, ReplayDrawsWhatTheUpdatesDrew) {
    {
        for (bool grid : {false, true}) {
            SCOPED_TRACE(testing::Message() << "grid " << grid);
            TPerformanceGraph g;
            g.SetGraphKind(TGraphKind::pgBar);
            g.SetGridlines(grid);
            for (int i = 0; i < 50; ++i) {
                g.DataPoint(ui::kRed, (i * 37) % 900);
                g.DataPoint(ui::kLime, (i * 53) % 1000);
                g.Update();
            }
            const ui::Bitmap drawn = g.Picture();
            g.SetBackColor(ui::kNavy);
            g.SetBackColor(ui::kBlack);
            // Column 0 keeps a sliver of the band that left when scrolled; a replay starts
            // at 100 mod 3.
            for (int y = 0; y < 100; ++y) {
                for (int x = 1; x < 100; ++x)
                    ASSERT_EQ(drawn.Pixel(x, y), g.Picture().Pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(PerformanceGraph, NarrowingKeepsTheNewestSamplesAtTheRightEdge) {
    RateGraph g;
    g.SetWidth(10);
    g.Paint();
    EXPECT_EQ(g.RingSize(), 12);
    for (int v = 1; v <= 12; ++v) g.Sample(v * 25);  // 4 pixels per 25
    g.SetWidth(5);
    const ui::Bitmap& bm = g.Paint();
    EXPECT_EQ(bm.Width(), 5);
    EXPECT_EQ(g.RingSize(), 7);
    for (int x = 0; x < 5; ++x) {
        int v = 8 + x;
        EXPECT_EQ(ColumnRun(bm, x, ui::kRed), (Rows{80 - v * 4 - 1, 80})) << x;
    }
    g.Sample(25);
    EXPECT_EQ(ColumnRun(g.Picture(), 4, ui::kRed), (Rows{75, 80}));
    EXPECT_EQ(ColumnRun(g.Picture(), 3, ui::kRed), (Rows{80 - 12 * 4 - 1, 80}));
}

TEST(PerformanceGraph, GridAndStepSizesHaveFloors) {
    struct Case {
        int grid, step, wantGrid, wantStep;
    } cases[] = {{0, 0, 2, 1}, {1, -5, 2, 1}, {2, 1, 2, 1}, {16, 4, 16, 4}};
    for (const Case& c : cases) {
        TPerformanceGraph g;
        g.SetGridSize(c.grid);
        g.SetStepSize(c.step);
        EXPECT_EQ(g.GridSize(), c.wantGrid) << c.grid;
        EXPECT_EQ(g.StepSize(), c.wantStep) << c.step;
        EXPECT_EQ(g.RingSize(), 100 / c.wantStep + 2);
    }
}

TEST(PerformanceGraph, SeventeenthPointIsARangeErrorAndLeavesTheBand) {
    TPerformanceGraph g;
    for (int i = 0; i < 16; ++i) g.DataPoint(ui::kRed, i);
    EXPECT_THROW(g.DataPoint(ui::kLime, 99), std::out_of_range);
    const ui::GraphBand& band = g.Band(g.CurrentY());
    EXPECT_EQ(band.count, 16);
    EXPECT_EQ(band.points[15].value, 15);
    EXPECT_EQ(band.points[15].color, ui::kRed);
}

TEST(PerformanceGraph, RoundUpAndScaleSetter) {
    EXPECT_EQ(TPerformanceGraph::RoundUp(501, 500), 1000);
    EXPECT_EQ(TPerformanceGraph::RoundUp(500, 500), 500);
    EXPECT_EQ(TPerformanceGraph::RoundUp(7, 0), 7);
    EXPECT_EQ(TPerformanceGraph::RoundUp(0, 500), 0);
    TPerformanceGraph g;
    int fired = 0;
    g.OnScaleChange = [&](TPerformanceGraph&) { ++fired; };
    g.SetScale(950);  // rounded to the gradient of 100
    EXPECT_EQ(g.Scale(), 1000);
    EXPECT_EQ(fired, 0);
    g.SetScale(1001);
    EXPECT_EQ(g.Scale(), 1100);
    EXPECT_EQ(fired, 1);
}

// Replayed strips end at the right edge, where updates draw them, whatever the band count.
TEST(PerformanceGraph, ReplayPutsTheNewestStripAtTheRightEdgeOfANarrowGraph) {
    struct Case {
        int width, step;
        Rows drawn, replayed;  // where the newest bar stands
    } cases[] = {
        {10, 6, {4, 10}, {4, 10}},
        {12, 5, {7, 12}, {7, 12}},
        {5, 8, {0, 5}, {}},  // a part of a strip, but no whole band to replay
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " / " << c.step);
        RateGraph g;
        g.SetStepSize(c.step);
        g.SetWidth(c.width);
        g.Paint();
        g.Sample(400);
        for (bool replayed : {false, true}) {
            if (replayed) g.SetGraphKind(TGraphKind::pgLine), g.SetGraphKind(TGraphKind::pgBar);
            Rows columns;
            for (int x = 0; x < c.width; ++x) {
                if (g.Picture().Pixel(x, 79) != ui::kRed) continue;
                if (columns.top < 0) columns.top = x;
                columns.bottom = x + 1;
            }
            EXPECT_EQ(columns, replayed ? c.replayed : c.drawn) << replayed;
        }
    }
}

TEST(PerformanceGraph, NegativeValuesOnAScaleOfZeroDrawNothing) {
    RateGraph g;
    g.SetScale(0);
    g.Sample(-300);
    g.Sample(-20);
    EXPECT_EQ(g.Scale(), 0);
    EXPECT_TRUE(g.Picture() == ui::Bitmap(289, 80, ui::kBlack));
}

// Drawing waits for the picture to be asked for; what it then shows must be what asking
// after every call shows. Two graphs get the same calls: the reference is asked after each,
// the other only now and then, after gaps of one to several hundred updates.
struct Driver {
    TPerformanceGraph& g;
    bool eachCall;
    void Ask() {
        if (eachCall) g.Picture();
    }
    void Point(ui::Color c, int v) {
        g.DataPoint(c, v);
        Ask();
    }
    void Update() {
        g.Update();
        Ask();
    }
    void Sample(int v) {
        Point(ui::kRed, v);
        Update();
    }
    void Reset() {
        for (int i = 0; i < 500; ++i) Sample(0);
    }
    template <class F>
    void Set(F f) {
        f(g);
        Ask();
    }
};

struct Script {
    const char* name;
    std::function<void(TPerformanceGraph&)> setup;
    int steps;
    std::function<void(Driver&, int)> step;
};

void RatePage(TPerformanceGraph& g) {
    g.SetBounds(8, 20, 289, 80);
    g.SetGraphKind(TGraphKind::pgBar);
    g.SetForeColor(ui::kRed);
    g.SetGridSize(16);
    g.SetStepSize(1);
    g.SetScale(500);
    g.SetGradient(500);
    g.SetGridlines(false);
    g.SetPenWidth(1);
}

TEST(PerformanceGraph, PictureDrawnLateIsThePictureDrawnAtEveryCall) {
    const Script scripts[] = {
        {"rate page: rises, falls and resets", RatePage, 900,
         [](Driver& d, int i) {
             if (i % 300 == 299) return d.Reset();
             d.Sample(i % 90 == 0 ? 700 + i : (i * 37) % 480);
         }},
        {"line with grid, two colours, grid and kind switched", [](TPerformanceGraph&) {}, 400,
         [](Driver& d, int i) {
             if (i == 150) d.Set([](TPerformanceGraph& g) { g.SetGridlines(false); });
             if (i == 200) d.Set([](TPerformanceGraph& g) { g.SetGridlines(true); });
             if (i == 250) d.Set([](TPerformanceGraph& g) { g.SetGraphKind(TGraphKind::pgBar); });
             if (i == 320) d.Set([](TPerformanceGraph& g) { g.SetGraphKind(TGraphKind::pgLine); });
             d.Point(ui::kRed, (i * 53) % 1200);
             d.Point(ui::kLime, (i * 29) % 700);
             d.Update();
         }},
        {"wide pen, step 1, rescales up and down",
         [](TPerformanceGraph& g) {
             g.SetPenWidth(5);
             g.SetStepSize(1);
             g.SetGridSize(7);
         },
         500, [](Driver& d, int i) { d.Sample(i % 150 == 0 ? 3000 : (i * 71) % 900); }},
        {"steps wider than the grid",
         [](TPerformanceGraph& g) {
             g.SetGraphKind(TGraphKind::pgBar);
             g.SetStepSize(7);
             g.SetGridSize(4);
         },
         200, [](Driver& d, int i) { d.Sample((i * 31) % 1500); }},
        {"narrower than a step",
         [](TPerformanceGraph& g) {
             g.SetPenWidth(3);
             g.SetStepSize(8);
             g.SetWidth(5);
             g.Paint();
         },
         60, [](Driver& d, int i) { d.Sample((i * 43) % 1300); }},
        {"points added around a property change",
         [](TPerformanceGraph& g) {
             g.SetPenWidth(3);
             g.SetStepSize(2);
         },
         200,
         [](Driver& d, int i) {
             d.Point(ui::kRed, (i * 47) % 1000);
             if (i % 7 == 0)
                 d.Set([i](TPerformanceGraph& g) {
                     g.SetBackColor(i % 14 ? ui::kNavy : ui::kBlack);
                 });
             d.Point(ui::kLime, (i * 13) % 600);
             d.Update();
         }},
        {"step size and width change", RatePage, 400,
         [](Driver& d, int i) {
             if (i == 100) d.Set([](TPerformanceGraph& g) { g.SetStepSize(3); });
             if (i == 180) d.Set([](TPerformanceGraph& g) { g.SetStepSize(2); });
             // Updates before the next paint draw on the old size.
             if (i == 250) d.Set([](TPerformanceGraph& g) { g.SetWidth(150); });
             if (i == 260) d.Set([](TPerformanceGraph& g) { g.Paint(); });
             d.Sample((i * 59) % 800);
         }},
    };
    const int gaps[] = {1, 2, 5, 30, 97, 300};
    for (const Script& s : scripts) {
        SCOPED_TRACE(s.name);
        TPerformanceGraph reference, late;
        std::vector<ui::Bitmap> seenByReference, seenLate;
        reference.OnScaleChange = [&](TPerformanceGraph& g) {
            seenByReference.push_back(g.Picture());
        };
        late.OnScaleChange = [&](TPerformanceGraph& g) { seenLate.push_back(g.Picture()); };
        s.setup(reference);
        s.setup(late);
        Driver eachCall{reference, true}, now{late, false};
        int next = 0, gap = 0;
        for (int i = 0; i < s.steps; ++i) {
            s.step(eachCall, i);
            s.step(now, i);
            if (i != next && i + 1 != s.steps) continue;
            ASSERT_TRUE(late.Picture() == reference.Picture()) << "after step " << i;
            next = i + gaps[gap++ % std::size(gaps)];
        }
        EXPECT_EQ(seenLate.size(), seenByReference.size());
        EXPECT_TRUE(seenLate == seenByReference);
        EXPECT_TRUE(late.Paint() == reference.Paint());
    }
}

// Scrolled and still at the old scale: the update's own strip waits for the replay.
TEST(PerformanceGraph, ScaleChangeHandlerSeesThePictureBeforeTheReplay) {
    RateGraph g;
    g.Sample(250);
    ui::Bitmap seen;
    g.OnScaleChange = [&](TPerformanceGraph& s) { seen = s.Picture(); };
    g.Sample(600);
    EXPECT_EQ(ColumnRun(seen, 287, ui::kRed), (Rows{39, 80}));
    EXPECT_EQ(ColumnRun(seen, 288, ui::kRed), Rows{});
    EXPECT_EQ(ColumnRun(g.Picture(), 288, ui::kRed), (Rows{31, 80}));
}

// With two bands, the band before the one an update draws is the current one, just emptied:
// the line rises from the bottom whatever the sample before was.
TEST(PerformanceGraph, LineOfAGraphNarrowerThanAStepRisesFromTheBottom) {
    RateGraph g;
    g.SetGraphKind(TGraphKind::pgLine);
    g.SetStepSize(8);
    g.SetWidth(5);
    g.Paint();
    ASSERT_EQ(g.RingSize(), 2);
    g.Sample(250);
    g.Sample(250);
    // From (-3, 80) towards (5, 40): at x = 0 about 15 rows up, not flat at 40.
    EXPECT_GT(ColumnRun(g.Picture(), 0, ui::kRed).top, 60);
}

}  // namespace
