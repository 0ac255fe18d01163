#include "packaging/windows/path_entry.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using korva::setup::WithEntry;
using korva::setup::WithoutEntry;

constexpr const wchar_t* kFolder = L"C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter";

// The user's PATH before the setup, and what the setup makes of it. The uninstaller must give
// back the value before, whatever it was.
struct Row {
    const wchar_t* before;
    const wchar_t* installed;
};
constexpr Row kRows[] = {
    {L"", kFolder},
    {L"C:\\Tools", L"C:\\Tools;C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter"},
    {L"C:\\Tools;", L"C:\\Tools;;C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter"},
    {L";;%USERPROFILE%\\bin;;",
     L";;%USERPROFILE%\\bin;;;C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter"},
    // Named already, in any case: left as it is.
    {L"c:\\users\\ana\\appdata\\local\\programs\\korva-counter;C:\\Tools",
     L"c:\\users\\ana\\appdata\\local\\programs\\korva-counter;C:\\Tools"},
    // A longer folder that begins with ours is another folder.
    {L"C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter2",
     L"C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter2;C:"
     L"\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter"},
};

TEST(UserPath, InstallAddsTheFolderOnceAndUninstallGivesBackTheValueBefore) {
    for (const Row& row : kRows) {
        const std::wstring installed = WithEntry(row.before, kFolder);
        EXPECT_EQ(installed, row.installed) << "before: " << testing::PrintToString(row.before);
        EXPECT_EQ(WithEntry(installed, kFolder), installed) << "installed twice";
        // A folder the user had named already is not the setup's to give back.
        if (installed != row.before) {
            EXPECT_EQ(WithoutEntry(installed, kFolder), row.before);
        }
    }
}

TEST(UserPath, UninstallTakesOutOnlyTheLastEntryNamingTheFolder) {
    const std::wstring folder = L"C:\\K";
    const std::wstring rows[][2] = {
        {L"C:\\K", L""},
        {L"C:\\K;C:\\Tools", L"C:\\Tools"},
        {L"C:\\Tools;C:\\K;D:\\", L"C:\\Tools;D:\\"},
        {L"C:\\K;C:\\Tools;c:\\k", L"C:\\K;C:\\Tools"},
        {L"C:\\Tools;C:\\K2", L"C:\\Tools;C:\\K2"},
        {L"C:\\Tools", L"C:\\Tools"},
    };
    for (const auto& [path, left] : rows) {
        EXPECT_EQ(WithoutEntry(path, folder), left) << testing::PrintToString(path);
    }
}

}  // namespace
