// The About page's device labels that follow the adapter.
#include <vector>

#include "adapter/oids.h"
#include "app/form.h"
#include "app/status.h"

namespace app {

std::string DomainText(std::uint32_t code) {
    switch (code) {
        case 0x10:
            return "FCC (US)";
        case 0x20:
            return "DOC (Canada)";
        case 0x30:
            return "ETSI";
        case 0x31:
            return "Spain";
        case 0x32:
            return "France";
        case 0x40:
            return "MKK (Japan)";
        default:
            return "N/A";
    }
}

void TForm1::BuildAboutPage() {
    Image2.SetParent(&TabSheet6);
    Image2.SetBounds(43, 8, 270, 56);
    GroupBox2.SetParent(&TabSheet6);
    GroupBox2.SetBounds(10, 236, 345, 83);
    GroupBox2.SetCaption("Wireless LAN Configuration Utility");
    struct Row {
        ui::Label& caption;
        const char* text;
        ui::Label& value;
        int top;
    } rows[] = {{lbVersion, "Version:", Label38, 24}, {lbDate, "Date:", Label39, 50}};
    for (Row& r : rows) {
        r.caption.SetParent(&GroupBox2);
        r.caption.SetBounds(8, r.top, 90, 13);
        r.caption.SetCaption(r.text);
        r.value.SetParent(&GroupBox2);
        r.value.SetBounds(108, r.top, 200, 13);
    }
    Label38.SetCaption("1.2");
}

void TForm1::UpdateDeviceLabels() {
    std::vector<std::uint8_t> buf(adapter::kQueryBufferSize);
    const auto size = static_cast<std::uint32_t>(buf.size());
    if (adapter.QueryOid(adapter::OID_PRIV_DEVICE_STATUS, buf.data(), size) == 0) {
        const std::uint8_t* d = buf.data() + adapter::DeviceStatusRecord::kRegulatoryDomain;
        Domain.SetCaption(DomainText(d[0] | std::uint32_t(d[1]) << 8 | std::uint32_t(d[2]) << 16 |
                                     std::uint32_t(d[3]) << 24));
    }
    std::fill(buf.begin(), buf.end(), 0);
    if (adapter.QueryOid(adapter::OID_PRIV_MAC_ADDRESS, buf.data(), size) == 0)
        MACAddr.SetCaption(MacText(buf.data()));
}

}  // namespace app
