// The application window: titled with the application title and never seen, it owns MainForm
// and carries the program's task-bar entry, its Alt+Tab entry and icon; MainForm, being owned,
// has none of its own.
#pragma once

#include <windows.h>

namespace korva::win32 {

class ApplicationWindow {
  public:
    // Registers its class (again is harmless) and creates it. Throws what made that fail.
    explicit ApplicationWindow(HINSTANCE instance);
    // Takes the windows it owns with it, if any are left.
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND handle() const { return window_; }

  private:
    HWND window_;
};

// Makes form the application's main window: the one the task-bar entry activates and closes.
void SetMainWindow(HWND application, HWND form);

// Minimises the application, form's owner: its task-bar entry, with every window it owns.
void MinimizeApplication(HWND form);

// Shows form as the system's start request says; a minimised start minimises the application,
// since form has no task-bar entry to be minimised into.
void ShowMainWindow(HWND form, int show);

}  // namespace korva::win32
