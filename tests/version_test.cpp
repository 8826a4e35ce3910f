// The version resource of Tolvarenkis.dll, as a host's file properties read it: the same
// version that Dll_Info shows.
#if defined(_WIN32)

#include "support/exports.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<char> VersionInfo() {
    Dll();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("Tolvarenkis.dll"), path, sizeof path);
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &unused));
    if (info.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

// A text of the US English, code page 1252 table.
std::string Text(std::vector<char>& info, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length)) return "(none)";
    return static_cast<const char*>(value);
}

std::string Dotted(DWORD high, DWORD low) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u", unsigned(HIWORD(high)), unsigned(LOWORD(high)),
                  unsigned(HIWORD(low)));
    return text;
}

TEST(VersionResource, CarriesTheVersionThatDllInfoShows) {
    std::vector<char> info = VersionInfo();
    ASSERT_FALSE(info.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), TOLVARENKIS_VERSION);
    EXPECT_EQ(Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), TOLVARENKIS_VERSION);
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_DLL});

    EXPECT_EQ(Text(info, "FileVersion"), TOLVARENKIS_VERSION);
    EXPECT_EQ(Text(info, "ProductVersion"), TOLVARENKIS_VERSION);
    EXPECT_EQ(Text(info, "OriginalFilename"), "Tolvarenkis.dll");
    EXPECT_EQ(Text(info, "LegalCopyright").rfind("Copyright (C) ", 0), 0u);
    EXPECT_NE(Text(info, "FileDescription"), "(none)");
}

}  // namespace

#endif
