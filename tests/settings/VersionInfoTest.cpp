// This test program carries the program's own version resource and icon; two helper programs
// beside it carry a version block without US English strings, and none at all.
#include "platform/VersionInfo.h"

#include <string>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string Query(const std::string &name)
{
    return "\\StringFileInfo\\040904E4\\" + name;
}

std::string BesideThisProgram(const std::string &name)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

TEST(VersionInfo, TheProgramCarriesItsVersionBlock)
{
    const std::vector<std::string> names = {"FileVersion",
                                            "ProductVersion",
                                            "ProductName",
                                            "InternalName",
                                            "OriginalFilename",
                                            "FileDescription",
                                            "CompanyName",
                                            "LegalCopyright"};
    std::vector<std::string> queries;
    for (const auto &name : names)
        queries.push_back(Query(name));

    const auto block = ReadOwnVersionStrings(queries);
    ASSERT_TRUE(block.has_value());
    const VersionStrings expected = {
        {Query("FileVersion"), "0.3.3.2"},
        {Query("ProductVersion"), "0.0.0.0"},
        {Query("ProductName"), "VEzaz"},
        {Query("InternalName"), "VEzaz"},
        {Query("OriginalFilename"), "vezaz.exe"},
        {Query("FileDescription"), "Duskmarch ini file editor"},
        {Query("CompanyName"), "VEzaz developers"},
        {Query("LegalCopyright"), "Copyright (c) 2026 VEzaz developers. MIT licence."},
    };
    EXPECT_EQ(*block, expected);
    EXPECT_EQ(std::string(FileVersionQuery), Query("FileVersion"));
}

TEST(VersionInfo, TheFixedFileVersionAndTheTranslationMatchTheStrings)
{
    const std::wstring self = [] {
        wchar_t path[MAX_PATH];
        return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    }();
    std::vector<char> block(GetFileVersionInfoSizeW(self.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(self.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{0x00000003});
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD{0x00030002});

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4U);
    const auto *translation = static_cast<const WORD *>(value);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04E4);
}

TEST(VersionInfo, ABlockWithoutUsEnglishStringsHasNoFileVersion)
{
    const auto block = ReadVersionStrings(BesideThisProgram("version_probe_other_block.exe"),
                                          {std::string(FileVersionQuery)});
    ASSERT_TRUE(block.has_value());
    EXPECT_TRUE(block->empty());
}

TEST(VersionInfo, AProgramWithoutVersionResourceHasNoBlock)
{
    EXPECT_EQ(ReadVersionStrings(BesideThisProgram("version_probe_none.exe"),
                                 {std::string(FileVersionQuery)}),
              std::nullopt);
    EXPECT_EQ(ReadVersionStrings(BesideThisProgram("no such program.exe"),
                                 {std::string(FileVersionQuery)}),
              std::nullopt);
}

#ifdef VEZAZ_HAS_ICON
TEST(VersionInfo, TheProgramCarriesItsIconInEverySize)
{
    for (const int size : {16, 24, 32, 48, 256}) {
        const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr),
                                       MAKEINTRESOURCEW(1),
                                       IMAGE_ICON,
                                       size,
                                       size,
                                       LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}
#endif

} // namespace
