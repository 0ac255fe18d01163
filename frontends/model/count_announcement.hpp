// What a screen reader is told once a count has finished, for any front end.
#pragma once

#include <cstddef>
#include <string>

#include "counters/result_lines.hpp"
#include "counters/tables/counter.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"
#include "frontends/model/form.hpp"

namespace korva::form {

// "Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 8": the result box's label, how many lines it
// now holds and the totals a player counts for, in UTF-8. The result box has no focus when a
// button is pressed, so without it a screen reader says nothing; and a line count alone sends the
// player into the box for the one figure wanted. The sabotage total is the result's last line;
// the plunder result is all totals, its heading and then one sum per resource.
inline std::string CountAnnouncement(Counter counter, const ResultLines& lines) {
    // IntToText, not std::to_string: that one would bring libc++'s string.cpp, and with it the
    // standard error stream, into the page's WebAssembly module.
    std::string spoken = std::string(ControlOf(ControlId::kLabel2).caption) + ": " +
                         IntToText(static_cast<std::int64_t>(lines.size())) + " Zeilen";
    if (lines.empty()) return spoken;
    if (counter == Counter::kSabo) return spoken + ", " + Cp1252ToUtf8(lines.back());
    spoken += ", " + Cp1252ToUtf8(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        spoken += (i == 1 ? "" : ", ") + Cp1252ToUtf8(lines[i]);
    }
    return spoken;
}

}  // namespace korva::form
