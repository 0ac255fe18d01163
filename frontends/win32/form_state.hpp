// What MainForm holds besides what its controls hold, and how its parts find its controls.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <type_traits>

#include "frontends/model/form.hpp"
#include "frontends/win32/live_region.hpp"
#include "frontends/win32/main_form.hpp"

namespace korva::win32 {

inline constexpr int kFirstControlId = 100;

using Controls = std::array<HWND, form::kControls.size()>;

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Everything MainForm holds besides what its controls hold.
struct FormState {
    explicit FormState(const FormOptions& form_options) : options(form_options) {}

    FormOptions options;
    Controls controls{};
    Font font;
    Font label_font;
    // Output, announced to screen readers after each count.
    std::unique_ptr<LiveRegion> result_region;
    // The control that had the focus when the window was last deactivated.
    HWND last_focus = nullptr;
    // Set once WM_CREATE has succeeded: only a window that was made ends the program.
    bool created = false;
};

inline FormState* StateOf(HWND window) {
    return reinterpret_cast<FormState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

inline HWND Control(const FormState& state, form::ControlId id) {
    return state.controls[form::IndexOf(id)];
}

}  // namespace korva::win32
