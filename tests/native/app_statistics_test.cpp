// The Statistics page: rates from kilobit totals, the graphs they feed, and the totals.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/statistics.h"
#include "tests/native/pixels.h"
#include "tests/native/radio_program.h"

namespace {

TEST(StatisticsRates, PollByPoll) {
    struct Poll {
        std::uint64_t kbits;
        int sample;
        const char* max;
        const char* current;
        std::uint64_t prevAfter;
    } polls[] = {
        {5000, 0, "Max. = 0 Kbits/sec.", "Current = 0 Kbits/sec", 5000},  // first poll
        {5001, 20, "Max. = 0 Kbits/sec.", "Current = 0 Kbits/sec", 5001},
        {5003, 30, "Max. = 2 Kbits/sec.", "Current = 2 Kbits/sec.", 5003},
        {6003, 300, "Max. = 1000 Kbits/sec.", "Current = 1000 Kbits/sec.", 6003},
        {6503, 269, "Max. = 1000 Kbits/sec.", "Current = 500 Kbits/sec.", 6503},
        {6503, 0, "Max. = 1000 Kbits/sec.", "Current = 0 Kbits/sec", 6503},
        // The driver restarted: a zero total keeps the last one...
        {0, 0, "Max. = 1000 Kbits/sec.", "Current = 0 Kbits/sec", 6503},
        // ...and a smaller one becomes the new base without a rate.
        {100, 0, "Max. = 1000 Kbits/sec.", "Current = 0 Kbits/sec", 100},
        {400, 247, "Max. = 1000 Kbits/sec.", "Current = 300 Kbits/sec.", 400},
        {100400, 500, "Max. = 100000 Kbits/sec.", "Current = 100000 Kbits/sec.", 100400},
    };
    std::uint64_t prev = 0, max = 0;
    for (const Poll& p : polls) {
        SCOPED_TRACE(p.kbits);
        const app::RateStep step = app::StepRate(prev, max, p.kbits);
        EXPECT_EQ(step.sample, p.sample);
        EXPECT_EQ(step.maxText, p.max);
        EXPECT_EQ(step.currentText, p.current);
        EXPECT_EQ(prev, p.prevAfter);
    }
    // A first total of one kilobit counts as a change of one.
    std::uint64_t p0 = 0, m0 = 0;
    EXPECT_EQ(app::StepRate(p0, m0, 1).sample, 20);
}

TEST(StatisticsRates, CountersOfFourAndEightBytesAreReadInFull) {
    const std::uint8_t four[] = {0x00, 0x00, 0x01, 0x00};
    const std::uint8_t eight[] = {0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(app::CounterValue(four, 4), 0x10000u);
    EXPECT_EQ(app::CounterValue(eight, 8), 0x100000005u);
    EXPECT_EQ(app::CounterValue(eight, 12), 0x100000005u);  // more than asked: 8 read
    EXPECT_EQ(app::CounterValue(eight, 1), 5u);
}

// The number in "Current = 1000 Kbits/sec." or "Max. = 1000 Kbits/sec.".
int RateOf(const std::string& label) {
    const auto eq = label.find("= ");
    return eq == std::string::npos ? -1 : std::stoi(label.substr(eq + 2));
}

sim::RadioNetwork Busy() {
    sim::RadioNetwork n = Net("Harbor");
    n.txBytesPerSec = 128 * 1000;  // 1000 Kbits/sec.
    n.rxBytesPerSec = 128 * 16;
    n.txFramesPerSec = 50;
    n.rxFramesPerSec = 7;
    return n;
}

TEST(StatisticsPage, GraphsFollowTheDriversTrafficOnALogScale) {
    RadioProgram p({Busy()}, "Harbor");
    app::TForm1& f = p.form();
    EXPECT_FALSE(f.TxPer.Enabled());
    p.Run(20000);
    EXPECT_TRUE(f.TxPer.Enabled());
    EXPECT_TRUE(f.RxPer.Enabled());
    // Polls are about a second apart; a late one counts a little more.
    const int tx = RateOf(f.lbTxRate.Caption()), rx = RateOf(f.lbRxRate.Caption());
    EXPECT_GE(tx, 1000);
    EXPECT_LT(tx, 1100);
    EXPECT_GE(RateOf(f.lbMaxTx.Caption()), tx);
    EXPECT_GE(rx, 16);
    EXPECT_LT(rx, 18);
    // 100 x log10 1000 = 300 of 500 is 48 of 80 pixels, filled from one row above.
    EXPECT_EQ(ColumnRun(f.TxPer.Paint(), 288, ui::kRed), (Rows{31, 80}));
    // log10 16 = 1.204: 120 is 19 pixels.
    EXPECT_EQ(ColumnRun(f.RxPer.Paint(), 288, ui::kLime), (Rows{60, 80}));
    // Totals and frame counters since the driver started.
    const std::uint64_t txK = std::stoull(f.stTxByte.Caption());
    EXPECT_GT(txK, 10000u);
    EXPECT_EQ(std::stoull(f.stTxPacket.Caption()), txK / 20);  // 50 frames per 1000 Kbits
    EXPECT_EQ(f.stDataTx.Caption(), f.stTxPacket.Caption());
    EXPECT_EQ(f.stDataRx.Caption(), f.stRxPacket.Caption());
}

TEST(StatisticsPage, TrayClickClearsTheMaximaAndPushesTheGraphsEmpty) {
    RadioProgram p({Busy()}, "Harbor");
    app::TForm1& f = p.form();
    p.Run(20000);
    f.PageControl1.SetActivePage(&f.TabSheet5);
    f.DeliverMessage(app::kTrayCallbackMessage, app::kTrayIconId, app::kWmLButtonUp);
    EXPECT_EQ(f.MaxTxRate, 0u);
    EXPECT_EQ(f.MaxRxRate, 0u);
    EXPECT_NE(f.PrevTxKbits, 0u);  // the totals stay
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
    for (int x = 0; x < 289; ++x) {
        ASSERT_EQ(ColumnRun(f.TxPer.Paint(), x, ui::kRed), Rows{}) << x;
        ASSERT_EQ(ColumnRun(f.RxPer.Paint(), x, ui::kLime), Rows{}) << x;
    }
    p.Run(1500);
    EXPECT_EQ(RateOf(f.lbMaxTx.Caption()), RateOf(f.lbTxRate.Caption()));
    EXPECT_EQ(ColumnRun(f.TxPer.Paint(), 288, ui::kRed), (Rows{31, 80}));
}

TEST(StatisticsPage, LinkDownEmptiesTheTotalsAndStopsTheGraphs) {
    RadioProgram p({Busy()}, "Harbor");
    app::TForm1& f = p.form();
    p.Run(20000);
    sim::ClearRadioNetworks(p.pc.registry());
    p.Run(10000);
    for (ui::StaticText* t : {&f.stTxByte, &f.stRxByte, &f.stTxPacket, &f.stRxPacket})
        EXPECT_EQ(t->Caption(), "") << t->Name();
    const ui::Bitmap still = f.TxPer.Paint();
    p.Run(5000);
    EXPECT_TRUE(still == f.TxPer.Paint());
    const std::string last = f.lbTxRate.Caption();
    p.Run(5000);
    EXPECT_EQ(f.lbTxRate.Caption(), last);
    // Without the card the graphs are disabled again.
    p.card->Pull();
    p.Run(3000);
    EXPECT_FALSE(f.TxPer.Enabled());
    EXPECT_FALSE(f.RxPer.Enabled());
}

}  // namespace
