// What the buttons and the menu items do.
#pragma once

#include <windows.h>

#include "frontends/model/form.hpp"
#include "frontends/win32/form_state.hpp"

namespace korva::win32 {

// Counts the whole report first; only then is the result box replaced.
void SelectSaboCounter(const FormState& state);
void SelectPluenCounter(const FormState& state);
void SelectFleetCounter(const FormState& state);

void RunMenuCommand(HWND window, const FormState& state, form::Command command);

}  // namespace korva::win32
