// What the program file carries besides its code, read back as Windows reads it: the version
// information, the icon and the manifest.
// Usage: win32_resources_test PROGRAM.exe
#include <windows.h>

#include <string>
#include <string_view>

#include "app/win32/tests/check.hpp"

namespace {

using korva::win32::testing::Checks;

std::wstring VersionString(const std::wstring& block, const wchar_t* name) {
    void* value = nullptr;
    UINT size = 0;
    const std::wstring path = L"\\StringFileInfo\\040704E4\\" + std::wstring(name);
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &size) || size == 0) return L"<none>";
    return std::wstring(static_cast<const wchar_t*>(value), size - 1);
}

void TestVersion(Checks& checks, const wchar_t* program) {
    const DWORD size = GetFileVersionInfoSizeW(program, nullptr);
    if (!checks.Expect(size > 0, "the program carries version information")) return;
    // A buffer of wchar_t keeps the block aligned for VerQueryValueW.
    std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
    GetFileVersionInfoW(program, 0, size, block.data());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    if (!checks.Expect(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed),
                                      &fixed_size) != FALSE,
                       "fixed part")) {
        return;
    }
    const DWORD ms = MAKELONG(KORVA_VERSION_MINOR, KORVA_VERSION_MAJOR);
    const DWORD ls = MAKELONG(KORVA_VERSION_TWEAK, KORVA_VERSION_PATCH);
    checks.Equal(fixed->dwFileVersionMS, ms, "file version, high part");
    checks.Equal(fixed->dwFileVersionLS, ls, "file version, low part");
    checks.Equal(fixed->dwProductVersionMS, ms, "product version, high part");
    checks.Equal(fixed->dwProductVersionLS, ls, "product version, low part");
    checks.Expect((fixed->dwFileFlags & VS_FF_PRERELEASE) != 0, "flagged as a pre-release");

    WORD* translation = nullptr;
    UINT translation_size = 0;
    VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                   reinterpret_cast<void**>(&translation), &translation_size);
    if (checks.Expect(translation != nullptr && translation_size >= 4, "translation")) {
        checks.Equal(translation[0], 0x0407, "language German (Germany)");
        checks.Equal(translation[1], 1252, "code page Windows-1252");
    }
    checks.Equal(VersionString(block, L"FileVersion"), L"" KORVA_VERSION, "FileVersion string");
    checks.Equal(VersionString(block, L"ProductVersion"), L"1.0.0.0", "ProductVersion string");
}

void TestIconAndManifest(Checks& checks, const wchar_t* program) {
    HMODULE module = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!checks.Expect(module != nullptr, "the program loads as data")) return;
    for (const int size : {16, 32, 48, 256}) {
        HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        checks.Expect(icon != nullptr, "an icon of " + std::to_string(size) + " pixels");
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (checks.Expect(found != nullptr, "a manifest")) {
        const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string_view manifest(text, SizeofResource(module, found));
        for (const std::string_view part :
             {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
              "PerMonitorV2</dpiAwareness>",
              "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""}) {
            checks.Expect(manifest.find(part) != std::string_view::npos,
                          "the manifest asks for " + std::string(part));
        }
    }
    // Left loaded until the process ends: wine faults at exit when a data file whose icons were
    // loaded is freed.
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Checks checks;
    if (!checks.Expect(argc == 2, "usage: win32_resources_test PROGRAM.exe"))
        return checks.Finish();
    // Under wine the build's path comes as a Unix path; wine's drive Z: is the Unix root.
    std::wstring program = argv[1];
    if (program.starts_with(L'/')) program = L"Z:" + program;
    TestVersion(checks, program.c_str());
    TestIconAndManifest(checks, program.c_str());
    return checks.Finish();
}
