#include "frontends/win32/commands.hpp"

#include <commdlg.h>

#include <array>
#include <string>

#include "counters/text/cp1252.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32 {
namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ShowCount(const FormState& state, Counter counter) {
    const std::string report =
        Utf16ToCp1252(AsUtf16(WindowText(Control(state, form::ControlId::kInput))));
    const form::ShownCount shown = state.options.count(counter, report);
    const std::u16string result = form::ResultBoxText(shown);
    const HWND output = Control(state, form::ControlId::kOutput);
    SetWindowTextW(output, AsWide(result).data());
    SendMessageW(output, EM_SETSEL, result.size(), result.size());
    if (state.result_region) state.result_region->Announce(Wide(shown.announcement));
}

void FileSaveAs(HWND window) {
    // Shown, but nothing is written whatever the user chooses.
    std::wstring filter = Wide(form::kTextFileFilterName);
    filter += L'\0';
    filter += Wide(form::kTextFileFilterPattern);
    filter += L'\0';
    std::array<wchar_t, MAX_PATH> file{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    GetSaveFileNameW(&dialog);
}

void FileExit(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void EditUndo(const FormState& state) {
    SendMessageW(Control(state, form::ControlId::kInput), WM_UNDO, 0, 0);
}

void EditPaste(const FormState& state) {
    SendMessageW(Control(state, form::ControlId::kInput), WM_PASTE, 0, 0);
}

void EditClearMemoClick(const FormState&) {}

void EditCopyResultClick(const FormState& state) {
    const HWND output = Control(state, form::ControlId::kOutput);
    SendMessageW(output, EM_SETSEL, 0, -1);
    SendMessageW(output, WM_COPY, 0, 0);
    SendMessageW(output, EM_SETSEL, 0, 0);
    SendMessageW(output, EM_SCROLLCARET, 0, 0);
}

}  // namespace

void SelectSaboCounter(const FormState& state) {
    ShowCount(state, Counter::kSabo);
}

void SelectPluenCounter(const FormState& state) {
    ShowCount(state, Counter::kPluen);
}

void SelectFleetCounter(const FormState&) {}

void RunMenuCommand(HWND window, const FormState& state, form::Command command) {
    switch (command) {
        case form::Command::kNone:
            break;
        case form::Command::kFileSaveAs:
            FileSaveAs(window);
            break;
        case form::Command::kFileExit:
            FileExit(window);
            break;
        case form::Command::kEditUndo:
            EditUndo(state);
            break;
        case form::Command::kEditPaste:
            EditPaste(state);
            break;
        case form::Command::kEditClearMemo:
            EditClearMemoClick(state);
            break;
        case form::Command::kEditCopyResult:
            EditCopyResultClick(state);
            break;
    }
}

}  // namespace korva::win32
