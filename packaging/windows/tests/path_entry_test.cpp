#include "packaging/windows/path_entry.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using korva::setup::WithEntry;
using korva::setup::WithoutEntry;

constexpr const wchar_t* kFolder = L"C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter";

// The user's PATH before the setup, and what the setup makes of it. The uninstaller must give
// back the value before, whatever it was. Values are REG_EXPAND_SZ unless a row says REG_SZ.
struct Row {
    const wchar_t* before;
    const wchar_t* installed;
    bool expands = true;
};
constexpr Row kRows[] = {
    {L"", kFolder},
    // Named through a variable (KORVA_TEST_HOME: C:\Users\Ana, set below): the folder, where
    // Windows expands the value; in a REG_SZ value, which it does not expand, another folder.
    {L"%KORVA_TEST_HOME%\\AppData\\Local\\Programs\\KORVA-Counter;C:\\Tools",
     L"%KORVA_TEST_HOME%\\AppData\\Local\\Programs\\KORVA-Counter;C:\\Tools"},
    {L"%KORVA_TEST_HOME%\\AppData\\Local\\Programs\\KORVA-Counter",
     L"%KORVA_TEST_HOME%\\AppData\\Local\\Programs\\KORVA-Counter;C:"
     L"\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter",
     false},
    {L"%KORVA_NOT_SET%\\KORVA-Counter",
     L"%KORVA_NOT_SET%\\KORVA-Counter;C:\\Users\\Ana\\AppData\\Local\\Programs\\KORVA-Counter"},
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
    ASSERT_TRUE(SetEnvironmentVariableW(L"KORVA_TEST_HOME", L"C:\\Users\\Ana"));
    for (const Row& row : kRows) {
        const std::wstring installed = WithEntry(row.before, kFolder, row.expands);
        EXPECT_EQ(installed, row.installed) << "before: " << testing::PrintToString(row.before);
        EXPECT_EQ(WithEntry(installed, kFolder, row.expands), installed) << "installed twice";
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
