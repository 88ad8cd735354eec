// The About page's device labels that follow the adapter.
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
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

namespace {

struct Row {
    ui::Label& caption;
    const char* text;
    ui::Label& value;
    int top;
};

void PlaceRows(ui::GroupBox& group, std::initializer_list<Row> rows) {
    for (const Row& r : rows) {
        r.caption.SetParent(&group);
        r.caption.SetBounds(8, r.top, 98, 13);
        r.caption.SetCaption(r.text);
        r.value.SetParent(&group);
        r.value.SetBounds(108, r.top, 230, 13);
    }
}

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

void TForm1::BuildAboutPage() {
    Image2.SetParent(&TabSheet6);
    Image2.SetBounds(43, 8, 270, 56);
    GroupBox1.SetParent(&TabSheet6);
    GroupBox1.SetBounds(9, 68, 345, 160);
    GroupBox1.SetCaption("Device");
    PlaceRows(GroupBox1, {{lbDeviceName, "Device Name:", DeviceName, 22},
                          {lbDomain, "Regulatory Domain:", Domain, 52},
                          {lbDriverVersion, "Driver Version:", DriverVersion, 82},
                          {lbDriverDate, "Driver Date:", DriverDate, 111},
                          {lbMACAddr, "MAC Address:", MACAddr, 137}});
    DeviceName.SetCaption("DeviceName");
    Domain.SetCaption("Domain");
    DriverVersion.SetCaption("0.0.0.0");
    DriverDate.SetCaption("24 Jul 2002 23:32:18");
    MACAddr.SetCaption("MACAddr");
    GroupBox2.SetParent(&TabSheet6);
    GroupBox2.SetBounds(10, 236, 345, 83);
    GroupBox2.SetCaption("Wireless LAN Configuration Utility");
    PlaceRows(GroupBox2, {{lbVersion, "Version:", Label38, 24}, {lbDate, "Date:", Label39, 50}});
    Label38.SetCaption("1.2");
    // The notice line below the groups.
    lbCopyright.SetParent(&TabSheet6);
    lbCopyright.SetBounds(10, 330, 150, 13);
    lbCopyright.SetCaption("Copyright (C) 2002 Velmora.");
    lbRights.SetParent(&TabSheet6);
    lbRights.SetBounds(160, 330, 190, 13);
    lbRights.SetCaption("All rights reserved.");
}

std::string DriverDateText(const plat::DosDateTime& t) {
    const unsigned month = (t.date >> 5) & 0x0F;
    if (month < 1 || month > 12) return "N/A";
    char text[40];
    std::snprintf(text, sizeof text, "%02d %s %04d %02d:%02d:%02d", t.date & 0x1F,
                  kMonths[month - 1], 1980 + (t.date >> 9), t.time >> 11, (t.time >> 5) & 0x3F,
                  (t.time & 0x1F) * 2);
    return text;
}

void TForm1::ShowDriverFileInfo() {
    const std::string windows = platform.files.WindowsDirectory();
    std::string path = windows + "\\system32\\drivers\\zn620nd5.sys";
    if (auto key = platform.registry.Open("SYSTEM\\CurrentControlSet\\Services\\CV7720"))
        path = windows + "\\" + plat::ReadString(*key, "ImagePath").value_or("");
    if (auto v = platform.files.Version(path)) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", v->major, v->minor, v->build, v->revision);
        DriverVersion.SetCaption(text);
    } else {
        DriverVersion.SetCaption("N/A");
    }
    std::optional<plat::DosDateTime> packed;
    if (auto written = platform.files.LastWriteTime(path))
        if (auto local = platform.files.ToLocalTime(*written))
            packed = platform.files.ToDosDateTime(*local);
    DriverDate.SetCaption(packed ? DriverDateText(*packed) : "N/A");
}

void TForm1::UpdateDeviceLabels() {
    std::vector<std::uint8_t> buf(adapter::kQueryBufferSize);
    const auto size = static_cast<std::uint32_t>(buf.size());
    if (adapter.QueryOid(adapter::OID_PRIV_DEVICE_STATUS, buf.data(), size) == 0) {
        const std::uint8_t* d = buf.data() + adapter::DeviceStatusRecord::kRegulatoryDomain;
        Domain.SetCaption(DomainText(adapter::Le32(d)));
    }
    std::fill(buf.begin(), buf.end(), 0);
    if (adapter.QueryOid(adapter::OID_PRIV_MAC_ADDRESS, buf.data(), size) == 0)
        MACAddr.SetCaption(MacText(buf.data()));
}

}  // namespace app
