// What the program file (KORVA_PROGRAM, korva-counter.exe as built) carries besides its code,
// read back as Windows reads it: the version information, the icon and the manifest.
#include <windows.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace {

// Under wine the build's path is a Unix path; wine's drive Z: is the Unix root.
std::wstring Program() {
    std::wstring program = L"" KORVA_PROGRAM;
    if (program.starts_with(L'/')) program = L"Z:" + program;
    return program;
}

std::wstring VersionString(const std::wstring& block, const wchar_t* name) {
    void* value = nullptr;
    UINT size = 0;
    const std::wstring path = L"\\StringFileInfo\\040704E4\\" + std::wstring(name);
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &size) || size == 0) return L"<none>";
    return std::wstring(static_cast<const wchar_t*>(value), size - 1);
}

TEST(Resources, Version) {
    const std::wstring program = Program();
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
    ASSERT_TRUE(size > 0) << "the program carries version information";
    // A buffer of wchar_t keeps the block aligned for VerQueryValueW.
    std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
    GetFileVersionInfoW(program.c_str(), 0, size, block.data());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_size) != FALSE)
        << "fixed part";
    const DWORD ms = MAKELONG(KORVA_VERSION_MINOR, KORVA_VERSION_MAJOR);
    const DWORD ls = MAKELONG(KORVA_VERSION_TWEAK, KORVA_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, ms) << "file version, high part";
    EXPECT_EQ(fixed->dwFileVersionLS, ls) << "file version, low part";
    EXPECT_EQ(fixed->dwProductVersionMS, ms) << "product version, high part";
    EXPECT_EQ(fixed->dwProductVersionLS, ls) << "product version, low part";
    EXPECT_TRUE((fixed->dwFileFlags & VS_FF_PRERELEASE) != 0) << "flagged as a pre-release";

    WORD* translation = nullptr;
    UINT translation_size = 0;
    VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                   reinterpret_cast<void**>(&translation), &translation_size);
    EXPECT_TRUE(translation != nullptr && translation_size >= 4) << "translation";
    if (translation != nullptr && translation_size >= 4) {
        EXPECT_EQ(translation[0], 0x0407) << "language German (Germany)";
        EXPECT_EQ(translation[1], 1252) << "code page Windows-1252";
    }
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"" KORVA_VERSION) << "FileVersion string";
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.0.0.0") << "ProductVersion string";
    EXPECT_EQ(VersionString(block, L"FileDescription"), L"KORVA-Counter");
    EXPECT_EQ(VersionString(block, L"CompanyName"), L"" KORVA_PUBLISHER);
    EXPECT_EQ(VersionString(block, L"LegalCopyright"), L"© 2026 " KORVA_PUBLISHER ", MIT-Lizenz");
}

TEST(Resources, IconAndManifest) {
    const std::wstring program = Program();
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module != nullptr) << "the program loads as data";
    for (const int size : {16, 32, 48, 256}) {
        HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_TRUE(icon != nullptr) << "an icon of " + std::to_string(size) + " pixels";
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_TRUE(found != nullptr) << "a manifest";
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string_view manifest(text, SizeofResource(module, found));
    for (const std::string_view part :
         {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2</dpiAwareness>",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""}) {
        EXPECT_TRUE(manifest.find(part) != std::string_view::npos)
            << "the manifest asks for " + std::string(part);
    }
    // Left loaded until the process ends: wine faults at exit when a data file whose icons were
    // loaded is freed.
}

}  // namespace
