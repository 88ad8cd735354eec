// The shipped binaries' icon and version as Windows reads them: Explorer's version tab and the
// shell's file icon go through these same calls.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <vector>

namespace {

std::string BuiltFile(const char* name) {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p(exe, n);
    for (int up = 0; up < 3; ++up) p.erase(p.find_last_of("\\/"));
    return p + "\\win32\\" + name;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct Shipped {
    const char* file;
    DWORD type;
};

TEST(ShippedResources, IconAndVersionReadAsWindowsReadsThem) {
    for (const Shipped s : {Shipped{"velmora.exe", VFT_APP}, Shipped{"nicset01.dll", VFT_DLL}}) {
        SCOPED_TRACE(s.file);
        const std::string path = BuiltFile(s.file);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(VELMORA_VERSION_MINOR, VELMORA_VERSION_MAJOR));
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        // Runs on 95 as on NT: not marked as an NT-only file.
        EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
        EXPECT_EQ(fixed->dwFileType, s.type);

        // The strings under the first translation, as the version tab finds them.
        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_GE(length, 4u);
        char block[64];
        wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        for (const char* key : {"FileVersion", "ProductVersion"}) {
            char* text = nullptr;
            ASSERT_TRUE(VerQueryValueA(info.data(), (std::string(block) + key).c_str(),
                                       reinterpret_cast<void**>(&text), &length))
                << key;
            EXPECT_STREQ(text, VELMORA_VERSION) << key;
        }
        for (const char* key : {"CompanyName", "FileDescription", "OriginalFilename"}) {
            char* text = nullptr;
            EXPECT_TRUE(VerQueryValueA(info.data(), (std::string(block) + key).c_str(),
                                       reinterpret_cast<void**>(&text), &length) &&
                        length > 1)
                << key;
        }

        HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr);
        int icons = 0;
        EnumResourceNamesA(image, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&icons));
        FreeLibrary(image);
        EXPECT_GE(icons, 1);
        // The shell's icon of the file.
        HICON shown = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
        EXPECT_NE(shown, nullptr);
        EXPECT_NE(shown, reinterpret_cast<HICON>(1));
        if (shown && shown != reinterpret_cast<HICON>(1)) DestroyIcon(shown);
    }
}

}  // namespace
