// The stand-in W32N50.dll as the program loads it: its exports by their plain names, and the
// simulated card behind them over the Windows registry seeded from the installed-card fixture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/packet.h"
#include "sim/regfile.h"
#include "tests/contract/devices_contract.h"
#include "win32/registry.h"

namespace {

constexpr const char* kGuid = "{8C2F6E3A-0B1D-4F5E-9A7C-3D2E1F0A9B8C}";
constexpr const char* kEnumPci = "SYSTEM\\CurrentControlSet\\Enum\\PCI\\";
constexpr const char* kNetClass =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
constexpr const char* kDriverKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
constexpr std::uint32_t kMediaInUse = 0x00010104, kCurrentAddress = 0x01010102,
                        kNetworkMode = 0xFF00001B, kSsid = 0xFF000018, kDeviceStatus = 0xFF100004,
                        kPacketFilter = 0x0001010E;

// The built stand-in: the build's win32 folder, two folders up from this program's.
std::string StandInPath() {
    if (const char* env = std::getenv("VELMORA_W32N50"); env && *env) return env;
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p(exe, n);
    for (int up = 0; up < 3; ++up) p.erase(p.find_last_of("\\/"));
    return p + "\\win32\\W32N50.dll";
}

template <class F>
F Export(HMODULE dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

class StandInDll : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        auto r = sim::ImportRegFile(reg_, FixturePath("zn6200-installed.reg"));
        ASSERT_TRUE(r) << "line " << r.line << ": " << r.message;
        std::string path = StandInPath();
        dll_ = LoadLibraryA(path.c_str());
        ASSERT_TRUE(dll_) << "cannot load " << path << ", error " << ::GetLastError();
        isNt_ = Export<int (*)()>(dll_, "W32N_IsWindowsNT");
        is95_ = Export<int (*)()>(dll_, "W32N_IsWindows95");
        version_ = Export<std::uint32_t (*)(std::uint32_t)>(dll_, "W32N_OSGetPlatformVersion");
        info_ = Export<int (*)(void*, const char*)>(dll_, "W32N_GetAdapterRegistryInfo");
        open_ = Export<void* (*)(const char*)>(dll_, "W32N_OpenAdapterA");
        lastError_ = Export<std::uint32_t (*)()>(dll_, "W32N_GetLastError");
        request_ =
            Export<std::uint32_t (*)(void*, void*, void*, int)>(dll_, "W32N_MakeNdisRequest");
        bpf_ = Export<int (*)(void*, const void*, std::uint32_t)>(dll_, "W32N_SetBPFProgram");
        cancel_ = Export<int (*)(void*, void*)>(dll_, "W32N_CancelPacketRead");
        close_ = Export<int (*)(void*)>(dll_, "W32N_CloseAdapter");
        ASSERT_TRUE(isNt_ && is95_ && version_ && info_ && open_ && lastError_ && request_ &&
                    bpf_ && cancel_ && close_)
            << "an export is missing or decorated";
    }
    void TearDown() override {
        if (dll_) FreeLibrary(dll_);  // the next test gets a fresh card
        Clean();
    }
    // The Windows registry outlives the test.
    void Clean() {
        reg_.DeleteTree(std::string(kEnumPci) + "VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01");
        reg_.DeleteTree(std::string(kEnumPci) + "VEN_7A7B&DEV_3100&SUBSYS_31007A7B&REV_02");
        reg_.DeleteTree(std::string(kNetClass) + "0000");
        reg_.DeleteTree(std::string(kNetClass) + "0001");
        reg_.DeleteTree("SYSTEM\\CurrentControlSet\\Services\\CV7720");
        reg_.DeleteTree("SOFTWARE\\VelmoraSim");
    }

    void* Open() {
        std::uint8_t record[plat::kAdapterRegistryRecordSize];
        info_(record, "0001");
        std::string name = "\\Device\\" + std::string(reinterpret_cast<char*>(record + 520));
        return open_(name.c_str());
    }
    std::uint32_t Query(void* h, std::uint32_t id, std::vector<std::uint8_t>& out,
                        std::uint32_t length = 5000) {
        out.assign(length, 0);
        plat::NdisRequestBlock r{};
        r.requestType = 0;
        r.oid = id;
        r.buffer = out.data();
        r.bufferLength = length;
        std::uint32_t status = request_(h, &r, nullptr, 1);
        out.resize(status == 0 ? r.bytesWritten : 0);
        return status;
    }
    void SetValue(const char* path, const char* name, const plat::RegValue& v) {
        auto key = reg_.Create(path);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->Set(name, v.type, v.data));
    }

    win32::Registry reg_;
    HMODULE dll_ = nullptr;
    int (*isNt_)() = nullptr;
    int (*is95_)() = nullptr;
    std::uint32_t (*version_)(std::uint32_t) = nullptr;
    int (*info_)(void*, const char*) = nullptr;
    void* (*open_)(const char*) = nullptr;
    std::uint32_t (*lastError_)() = nullptr;
    std::uint32_t (*request_)(void*, void*, void*, int) = nullptr;
    int (*bpf_)(void*, const void*, std::uint32_t) = nullptr;
    int (*cancel_)(void*, void*) = nullptr;
    int (*close_)(void*) = nullptr;
};

TEST_F(StandInDll, OpensTheSeededCardAndAnswersRequests) {
    EXPECT_EQ(isNt_(), 1);
    EXPECT_EQ(is95_(), 0);
    EXPECT_GE(version_(2), 5u);

    std::uint8_t record[plat::kAdapterRegistryRecordSize];
    EXPECT_EQ(info_(record, "0000"), 0);
    EXPECT_EQ(record[520], 0);
    EXPECT_NE(info_(record, "0001"), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(record + 520), kGuid);

    EXPECT_EQ(open_("\\Device\\{00000000-0000-0000-0000-000000000000}"), plat::kNoAdapter);
    EXPECT_EQ(lastError_(), 2u);
    void* h = Open();
    ASSERT_NE(h, plat::kNoAdapter);

    std::vector<std::uint8_t> data;
    ASSERT_EQ(Query(h, kMediaInUse, data, 4), 0u);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    ASSERT_EQ(Query(h, kCurrentAddress, data, 6), 0u);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0x00, 0x1D, 0x5A, 0x62, 0x0A, 0x01}));
    ASSERT_EQ(Query(h, kDeviceStatus, data, 500), 0u);
    ASSERT_EQ(data.size(), 256u);
    EXPECT_EQ(data[220], 0x10);

    plat::NdisRequestBlock set{};
    std::uint32_t filter = 9;
    set.requestType = 1;
    set.oid = kPacketFilter;
    set.buffer = &filter;
    set.bufferLength = 4;
    EXPECT_EQ(request_(h, &set, nullptr, 1), 0u);
    ASSERT_EQ(Query(h, kPacketFilter, data, 4), 0u);
    EXPECT_EQ(data[0], 9);
    std::uint8_t program[32] = {};
    EXPECT_NE(bpf_(h, program, 32), 0);
    EXPECT_NE(cancel_(h, nullptr), 0);
    EXPECT_NE(close_(h), 0);
    EXPECT_EQ(close_(h), 0);
    EXPECT_NE(Query(h, kMediaInUse, data) & 0xFF, 0u);
}

TEST_F(StandInDll, JoinsAfterTheScanInRealTime) {
    void* h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    std::vector<std::uint8_t> data;
    ASSERT_EQ(Query(h, kSsid, data), 0u);
    EXPECT_TRUE(data.empty());  // scanning
    Sleep(2100);
    ASSERT_EQ(Query(h, kSsid, data), 0u);
    EXPECT_EQ(std::string(data.begin(), data.end()), "Harbor");
}

TEST_F(StandInDll, RegistryPullsTheCardAndChangedParametersRestartIt) {
    void* h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    std::vector<std::uint8_t> data;
    SetValue("SOFTWARE\\VelmoraSim\\Card", "Present", plat::DwordValue(0));
    EXPECT_NE(Query(h, kNetworkMode, data) & 0xFF, 0u);
    EXPECT_EQ(Open(), plat::kNoAdapter);
    SetValue("SOFTWARE\\VelmoraSim\\Card", "Present", plat::DwordValue(1));
    EXPECT_NE(Query(h, kNetworkMode, data) & 0xFF, 0u);  // pulled once, gone for good
    h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    ASSERT_EQ(Query(h, kNetworkMode, data), 0u);
    EXPECT_EQ(data[0], 0);

    // What a device restart would take up, the stand-in takes up by itself.
    SetValue(kDriverKey, "bssType", plat::StringValue("2"));
    Sleep(1100);  // it looks at the registry again once a second
    EXPECT_NE(Query(h, kNetworkMode, data) & 0xFF, 0u);
    h = Open();
    ASSERT_EQ(Query(h, kNetworkMode, data), 0u);
    EXPECT_EQ(data[0], 1);
}

}  // namespace
