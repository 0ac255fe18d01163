// What a screen reader is told once a count has finished, for any front end.
#pragma once

#include <string>

#include "counters/result_lines.hpp"
#include "counters/text/text_ops.hpp"
#include "frontends/model/form.hpp"

namespace korva::form {

// "Ergebnis: 16 Zeilen": the result box's label and how many lines it now holds, in UTF-8. The
// result box has no focus when a button is pressed, so without it a screen reader says nothing.
inline std::string CountAnnouncement(const ResultLines& lines) {
    // IntToText, not std::to_string: that one would bring libc++'s string.cpp, and with it the
    // standard error stream, into the page's WebAssembly module.
    return std::string(ControlOf(ControlId::kLabel2).caption) + ": " +
           IntToText(static_cast<std::int64_t>(lines.size())) + " Zeilen";
}

}  // namespace korva::form
