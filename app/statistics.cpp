// The Statistics page: frame and kilobit totals, and the rate graphs with their labels.
#include "app/statistics.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "adapter/oids.h"
#include "app/form.h"

namespace app {

namespace {

constexpr int kResetSamples = 500;
// Where the labels of the decades 0 .. 100000 stand beside a graph, from the bottom up.
constexpr const char* kDecades[] = {"0", "10", "100", "1000", "10000", "100000"};
// The picture's bottom left colour is its transparent one.
constexpr ui::Color kSeeThrough = 0xFF00FF;
constexpr ui::Color kGridLineColor = ui::kGray;

std::string Text(const char* format, std::uint64_t v) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<unsigned long long>(v));
    return text;
}

// Dotted lines at the heights of 10 .. 10000 Kbits/sec. on a graph of 80 pixels at scale
// 500, for a picture that lies 3 pixels lower than the graph.
ui::Bitmap GridLinePicture(int width, int height) {
    ui::Bitmap bm(width, height, kSeeThrough);
    for (int decade = 1; decade <= 4; ++decade) {
        const int y = height - decade * height / 5 - 1 - 3;
        for (int x = 0; x < width; x += 2) bm.SetPixel(x, y, kGridLineColor);
    }
    return bm;
}

}  // namespace

RateStep StepRate(std::uint64_t& prevKbits, std::uint64_t& maxRate, std::uint64_t kbits) {
    RateStep step;
    std::uint64_t cur = kbits == 0 ? prevKbits : kbits;  // a zero reading keeps the last total
    if (prevKbits != 0 && cur > prevKbits + 1) {
        const std::uint64_t rate = cur - prevKbits;
        // The small bias keeps exact powers of ten on their decade whatever log10 rounds to.
        step.sample = static_cast<int>(std::trunc(std::log10(double(rate)) * 100 + 1e-9));
        if (rate > maxRate) maxRate = rate;
        step.maxText = Text("Max. = %llu Kbits/sec.", maxRate);
        step.currentText = Text("Current = %llu Kbits/sec.", rate);
    } else {
        step.sample = cur == prevKbits + 1 ? 20 : 0;
        step.maxText = Text("Max. = %llu Kbits/sec.", maxRate);
        step.currentText = "Current = 0 Kbits/sec";
    }
    prevKbits = cur;
    return step;
}

std::uint64_t CounterValue(const std::uint8_t* data, std::uint32_t written) {
    std::uint64_t v = 0;
    for (std::uint32_t i = written < 8 ? written : 8; i-- > 0;) v = v << 8 | data[i];
    return v;
}

void TForm1::BuildStatisticsPage() {
    Place(GroupBox9, TabSheet5, 7, 13, 345, 211);
    GroupBox9.SetCaption("Transmit / Receive Performance");
    const ui::Font small{"Small Fonts", 6, false, ui::kWhite};  // 8 pixels high
    struct Graph {
        ui::TPerformanceGraph& graph;
        ui::Image& lines;
        ui::Label &max, &rate;
        ui::Color color;
        int top, labelsLeft;
        ui::Label* decades[6];
    };
    Graph graphs[] = {
        {TxPer,
         imgTxPerGridline,
         lbMaxTx,
         lbTxRate,
         ui::kRed,
         20,
         302,
         {&lbtx0, &lbtx10, &lbtx100, &lbtx1000, &lbtx10000, &lbtx100000}},
        {RxPer,
         imgRxPerGridline,
         lbMaxRx,
         lbRxRate,
         ui::kLime,
         115,
         301,
         {&Label35, &Label37, &Label40, &Label41, &Label42, &Label43}},
    };
    // One picture of the grid lines, shared by both graphs' overlays.
    const ui::Bitmap gridLines = GridLinePicture(289, 80);
    for (Graph& g : graphs) {
        Place(g.graph, GroupBox9, 8, g.top, 289, 80);
        g.graph.SetGraphKind(ui::TGraphKind::pgBar);
        g.graph.SetForeColor(g.color);
        g.graph.SetGridSize(16);
        g.graph.SetStepSize(1);
        g.graph.SetScale(500);
        g.graph.SetGradient(500);
        g.graph.SetGridlines(false);
        g.graph.SetPenWidth(1);
        g.graph.SetEnabled(false);
        Place(g.lines, GroupBox9, 8, g.top + 3, 289, 80);
        g.lines.SetPicture(gridLines);
        g.lines.SetTransparent(true);
        Place(g.max, GroupBox9, 12, g.top, 150, 10);
        Place(g.rate, GroupBox9, 12, g.top + 10, 150, 10);
        for (ui::Label* l : {&g.max, &g.rate}) {
            l->SetFont(small);
            l->SetTransparent(true);
        }
        for (int i = 0; i < 6; ++i) {
            Place(*g.decades[i], GroupBox9, g.labelsLeft, g.top + 70 - 15 * i, 40, 13);
            g.decades[i]->SetCaption(kDecades[i]);
        }
    }

    Place(GroupBox10, TabSheet5, 8, 224, 345, 113);
    GroupBox10.SetCaption("Transmit / Receive Statistics");
    struct Total {
        ui::Label& caption;
        const char* text;
        ui::StaticText& value;
        int left, top;
    } totals[] = {
        {lbTxByte, "Transmit Kbits:", stTxByte, 60, 27},
        {lbRxByte, "Receive Kbits:", stRxByte, 60, 72},
        {lbTxPacket, "Transmit Packets:", stTxPacket, 230, 27},
        {lbRxPacket, "Receive Packets:", stRxPacket, 232, 72},
    };
    for (Total& t : totals) {
        Place(t.caption, GroupBox10, t.left, t.top - 16, 100, 13);
        t.caption.SetCaption(t.text);
        Place(t.value, GroupBox10, t.left, t.top, 100, 19);
        t.value.SetBorder(ui::Border::Sunken);
        t.value.SetAlignment(ui::Alignment::Right);
        t.value.SetLayout(ui::Layout::Center);
    }
}

void TForm1::UpdateStatistics() {
    std::vector<std::uint8_t> buf(adapter::kQueryBufferSize);
    const auto size = static_cast<std::uint32_t>(buf.size());
    const std::pair<std::uint32_t, std::pair<ui::StaticText*, ui::StaticText*>> frames[] = {
        {adapter::OID_GEN_XMIT_OK, {&stDataTx, &stTxPacket}},
        {adapter::OID_GEN_RCV_OK, {&stDataRx, &stRxPacket}},
    };
    for (const auto& [oid, texts] : frames) {
        std::uint32_t written = 0;
        std::fill(buf.begin(), buf.end(), 0);
        if (adapter.QueryOidWithLength(oid, buf.data(), size, written) != 0) continue;
        const std::string text =
            std::to_string(CounterValue(buf.data(), written) & 0xFFFFFFFFu);  // "%u" of it
        texts.first->SetCaption(text);
        texts.second->SetCaption(text);
    }

    std::fill(buf.begin(), buf.end(), 0);
    if (adapter.QueryOid(adapter::OID_PRIV_DEVICE_STATUS, buf.data(), size) != 0) return;
    const std::uint64_t txK =
        CounterValue(buf.data() + adapter::DeviceStatusRecord::kBytesTransmitted, 8) / 128;
    const std::uint64_t rxK =
        CounterValue(buf.data() + adapter::DeviceStatusRecord::kBytesReceived, 8) / 128;
    stTxByte.SetCaption(std::to_string(txK & 0xFFFFFFFFu));
    stRxByte.SetCaption(std::to_string(rxK & 0xFFFFFFFFu));

    struct Direction {
        std::uint64_t kbits;
        std::uint64_t &prev, &max;
        ui::TPerformanceGraph& graph;
        ui::Color color;
        ui::Label &maxLabel, &rateLabel;
    } directions[] = {
        {txK, PrevTxKbits, MaxTxRate, TxPer, ui::kRed, lbMaxTx, lbTxRate},
        {rxK, PrevRxKbits, MaxRxRate, RxPer, ui::kLime, lbMaxRx, lbRxRate},
    };
    for (Direction& d : directions) {
        const RateStep step = StepRate(d.prev, d.max, d.kbits);
        d.graph.DataPoint(d.color, step.sample);
        d.graph.Update();
        d.maxLabel.SetCaption(step.maxText);
        d.rateLabel.SetCaption(step.currentText);
    }
}

void TForm1::ResetPerformanceView() {
    MaxTxRate = 0;
    MaxRxRate = 0;
    PageControl1.SetActivePage(&TabSheet1);
    for (int i = 0; i < kResetSamples; ++i) {
        TxPer.DataPoint(ui::kRed, 0);
        TxPer.Update();
        RxPer.DataPoint(ui::kRed, 0);
        RxPer.Update();
    }
}

}  // namespace app
