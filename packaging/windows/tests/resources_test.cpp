// What the program files carry besides their code, read back as Windows reads it (Explorer's
// Properties, the task bar): the version information, the icon and, for the window, the
// manifest. One row a program; korva-counter.exe where the window is built.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kWindowManifest[] = {
    "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
    "PerMonitorV2</dpiAwareness>",
    "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""};

struct ProgramFile {
    const char* name;
    const wchar_t* path;         // as built: under wine a Unix path
    const wchar_t* description;  // FileDescription, as Explorer's Details tab shows it
    std::span<const std::string_view> manifest;  // what it asks for; empty: none looked for
};

const ProgramFile kPrograms[] = {
    {"korva-count.exe", L"" KORVA_COUNT_PROGRAM, L"KORVA-Counter für die Eingabeaufforderung", {}},
#ifdef KORVA_WINDOW_PROGRAM
    {"korva-counter.exe", L"" KORVA_WINDOW_PROGRAM, L"KORVA-Counter", kWindowManifest},
#endif
};

// Wine's drive Z: is the Unix root.
std::wstring PathOf(const ProgramFile& program) {
    const std::wstring path = program.path;
    return path.starts_with(L'/') ? L"Z:" + path : path;
}

std::wstring VersionString(const std::wstring& block, const wchar_t* name) {
    void* value = nullptr;
    UINT size = 0;
    const std::wstring path = L"\\StringFileInfo\\040704E4\\" + std::wstring(name);
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &size) || size == 0) return L"<none>";
    return std::wstring(static_cast<const wchar_t*>(value), size - 1);
}

TEST(ProgramFile, CarriesTheVersionInformation) {
    for (const ProgramFile& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const std::wstring path = PathOf(program);
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
        ASSERT_GT(size, 0u) << "the program carries version information";
        // A buffer of wchar_t keeps the block aligned for VerQueryValueW.
        std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixed_size = 0;
        ASSERT_TRUE(
            VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_size))
            << "fixed part";
        const DWORD ms = MAKELONG(KORVA_VERSION_MINOR, KORVA_VERSION_MAJOR);
        const DWORD ls = MAKELONG(KORVA_VERSION_TWEAK, KORVA_VERSION_PATCH);
        EXPECT_EQ(fixed->dwFileVersionMS, ms) << "file version, high part";
        EXPECT_EQ(fixed->dwFileVersionLS, ls) << "file version, low part";
        EXPECT_EQ(fixed->dwProductVersionMS, ms) << "product version, high part";
        EXPECT_EQ(fixed->dwProductVersionLS, ls) << "product version, low part";
        EXPECT_NE(fixed->dwFileFlags & VS_FF_PRERELEASE, 0u) << "flagged as a pre-release";
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP)) << "a program";

        WORD* translation = nullptr;
        UINT translation_size = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &translation_size));
        ASSERT_GE(translation_size, 4u) << "translation";
        EXPECT_EQ(translation[0], 0x0407) << "language German (Germany)";
        EXPECT_EQ(translation[1], 1252) << "code page Windows-1252";
        for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
            EXPECT_EQ(VersionString(block, name), L"" KORVA_VERSION) << name;
        }
        EXPECT_EQ(VersionString(block, L"FileDescription"), program.description);
        EXPECT_EQ(VersionString(block, L"CompanyName"), L"" KORVA_PUBLISHER);
        EXPECT_EQ(VersionString(block, L"LegalCopyright"),
                  L"© 2026 " KORVA_PUBLISHER ", MIT-Lizenz");
    }
}

TEST(ProgramFile, CarriesTheIconAndManifest) {
    for (const ProgramFile& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const HMODULE module =
            LoadLibraryExW(PathOf(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "the program loads as data";
        for (const int size : {16, 24, 32, 48, 256}) {
            const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
            EXPECT_NE(icon, nullptr) << "an icon of " << size << " pixels";
            if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
        }
        if (program.manifest.empty()) continue;
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        ASSERT_NE(found, nullptr) << "a manifest";
        const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string_view manifest(text, SizeofResource(module, found));
        for (const std::string_view part : program.manifest) {
            EXPECT_NE(manifest.find(part), std::string_view::npos)
                << "the manifest asks for " << part;
        }
        // Left loaded until the process ends: wine faults at exit when a data file whose icons
        // were loaded is freed.
    }
}

}  // namespace
