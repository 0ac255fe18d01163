// What a screen reader is told once a count has finished, for any front end.
#pragma once

#include <string>

#include "app/window/form.hpp"
#include "counters/result_lines.hpp"

namespace korva::form {

// "Ergebnis: 16 Zeilen": the result box's label and how many lines it now holds, in UTF-8. The
// result box has no focus when a button is pressed, so without it a screen reader says nothing.
inline std::string CountAnnouncement(const ResultLines& lines) {
    return std::string(ControlOf(ControlId::kLabel2).caption) + ": " +
           std::to_string(lines.size()) + " Zeilen";
}

}  // namespace korva::form
