// The main window: report text on the left, the counter buttons in Panel1, the result on the
// right, the menu bar shown but disabled. Built from the tables of frontends/model/form.hpp.
#pragma once

#include <windows.h>

#include "frontends/model/form.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/win32/failure.hpp"

namespace korva::win32 {

struct FormOptions {
    // Tests put a failing count and a recording error box in; the program takes these.
    form::WindowCount count = form::Count;
    ErrorBox error_box = SystemErrorBox();
};

// The main window's and Panel1's window classes; again is harmless.
void RegisterFormClasses(HINSTANCE instance);

// Creates MainForm, hidden, at its place and size for its monitor's dpi, with every control and
// its first text, owned by the application window, whose main window it becomes. Throws what
// made the creation fail.
HWND CreateMainForm(HINSTANCE instance, HWND application, const FormOptions& options);

// The id a control's notifications carry: its place in the form table after 100.
int ChildWindowId(form::ControlId id);

// The window of a control of the form table.
HWND ControlOf(HWND form, form::ControlId id);

}  // namespace korva::win32
