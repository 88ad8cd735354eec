// The site survey: the Stations page's list of heard networks, and the network-name list of the
// Configuration page, both read from the driver's scan list.
#include <utility>
#include <vector>

#include "adapter/oids.h"
#include "app/form.h"
#include "app/scan_list.h"

namespace app {

namespace {

// Pause after asking for a scan, before the list is read.
constexpr std::uint32_t kGridScanWaitMs = 100;
constexpr std::uint32_t kListScanWaitMs = 200;

}  // namespace

void TForm1::BuildStationsPage() {
    Place(APSStringGrid, TabSheet7, 8, 8, 341, 296);
    APSStringGrid.SetColCount(6);
    APSStringGrid.SetRowCount(2);
    APSStringGrid.SetFixedRows(1);
    APSStringGrid.SetFixedCols(0);
    const int widths[] = {102, 100, 50, 50, 50, 90};
    for (int col = 0; col < 6; ++col) APSStringGrid.SetColWidth(col, widths[col]);
    APSStringGrid.SetDefaultRowHeight(16);
    APSStringGrid.SetGridLineWidth(0);
    APSStringGrid.SetColumnsResizable(true);
    APSStringGrid.SetRangeSelect(true);

    Place(btReScan, TabSheet7, 141, 314, 75, 25);
    btReScan.SetCaption("Re-Scan");
    btReScan.OnClick = [this] { btReScanClick(); };
}

void TForm1::btReScanClick() {
    RefreshScanList();
}

void TForm1::RefreshScanList() {
    btReScan.SetEnabled(false);
    std::vector<ScanListEntry> found;
    if (adapter.SetOid(adapter::OID_PRIV_START_SCAN, nullptr, 0) == 0) {
        platform.loop.Sleep(kGridScanWaitMs);
        std::vector<std::uint8_t> buffer(kGridScanBufferSize);
        std::uint32_t written = 0;
        if (adapter.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, buffer.data(),
                                       static_cast<std::uint32_t>(buffer.size()), written) == 0)
            found = DecodeScanList(buffer.data(), buffer.size(), written);
    }
    const int count = static_cast<int>(found.size());
    APSStringGrid.SetRowCount(count == 0 ? 2 : count + 1);
    for (int i = 0; i < count; ++i) APSStringGrid.SetRow(i + 1, ScanGridRow(found[i]));
    // The grid keeps the cells of the rows it keeps: an earlier scan's first row would remain.
    if (count == 0) APSStringGrid.SetRow(1, {});
    btReScan.SetEnabled(true);
}

void TForm1::cbSSIDDropDown() {
    cbSSID.Clear();
    // The driver takes the buffer as the request's data; its content means nothing to it.
    std::vector<std::uint8_t> buffer(kListScanBufferSize);
    const auto size = static_cast<std::uint32_t>(buffer.size());
    if (adapter.SetOid(adapter::OID_PRIV_START_SCAN, buffer.data(), size) != 0) return;
    platform.loop.Sleep(kListScanWaitMs);
    std::uint32_t written = 0;
    if (adapter.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, buffer.data(), size, written) != 0)
        return;
    for (const ScanListEntry& e : DecodeScanList(buffer.data(), buffer.size(), written)) {
        if (OfferedInNameList(e, rbInfra.Checked(), rbAdHoc.Checked(), cbRadioBand.ItemIndex(),
                              cbTurbo.ItemIndex()))
            cbSSID.AddItem(e.ssid);
    }
}

}  // namespace app
