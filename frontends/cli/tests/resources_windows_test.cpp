// What korva-count.exe carries besides its code, read back as Windows reads it (Explorer's
// Properties, the task bar): the version information and the icon, the window's both.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace korva::cli_test {
namespace {

// The program under test is built next to the tests.
std::wstring KorvaCountExe() {
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return (std::filesystem::path(self).parent_path() / L"korva-count.exe").wstring();
}

std::wstring VersionString(const std::wstring& block, const wchar_t* name) {
    void* value = nullptr;
    UINT size = 0;
    const std::wstring path = L"\\StringFileInfo\\040704E4\\" + std::wstring(name);
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &size) || size == 0) return L"-";
    return std::wstring(static_cast<const wchar_t*>(value), size - 1);
}

TEST(KorvaCountExe, CarriesTheWindowsVersionInformation) {
    const std::wstring program = KorvaCountExe();
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
    ASSERT_GT(size, 0u) << "no version information";
    // A buffer of wchar_t keeps the block aligned for VerQueryValueW.
    std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
    ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_size));
    const DWORD ms = MAKELONG(KORVA_VERSION_MINOR, KORVA_VERSION_MAJOR);
    const DWORD ls = MAKELONG(KORVA_VERSION_TWEAK, KORVA_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, ms);
    EXPECT_EQ(fixed->dwFileVersionLS, ls);
    EXPECT_EQ(fixed->dwProductVersionMS, ms);
    EXPECT_EQ(fixed->dwProductVersionLS, ls);
    EXPECT_NE(fixed->dwFileFlags & VS_FF_PRERELEASE, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    UINT translation_size = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &translation_size));
    ASSERT_GE(translation_size, 4u);
    EXPECT_EQ(translation[0], 0x0407);  // German (Germany)
    EXPECT_EQ(translation[1], 1252);
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"" KORVA_VERSION);
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.0.0.0");
    // Explorer's Details tab: the umlaut and the sign as written, the publisher's name.
    EXPECT_EQ(VersionString(block, L"FileDescription"),
              L"KORVA-Counter für die Eingabeaufforderung");
    EXPECT_EQ(VersionString(block, L"CompanyName"), L"" KORVA_PUBLISHER);
    EXPECT_EQ(VersionString(block, L"LegalCopyright"), L"© 2026 " KORVA_PUBLISHER ", MIT-Lizenz");
}

TEST(KorvaCountExe, CarriesTheWindowsIcon) {
    const HMODULE module =
        ::LoadLibraryExW(KorvaCountExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (const int size : {16, 24, 32, 48, 256}) {
        const HANDLE icon = ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size << " pixels";
        if (icon != nullptr) ::DestroyIcon(static_cast<HICON>(icon));
    }
    // Left loaded until the process ends: wine faults at exit when a data file whose icons were
    // loaded is freed.
}

}  // namespace
}  // namespace korva::cli_test
