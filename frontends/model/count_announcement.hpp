// What a screen reader is told once a count has finished, for any front end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

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
    // Made in Windows-1252, as the result lines are, and decoded once at the end; one append
    // for every piece: the page's WebAssembly module carries this code, and each string
    // operation costs it bytes. IntToText, not std::to_string: that one would bring libc++'s
    // string.cpp, and with it the standard error stream, into it.
    constexpr std::string_view kLabel = ControlOf(ControlId::kLabel2).caption;
    static_assert(
        std::all_of(kLabel.begin(), kLabel.end(), [](char c) { return c > 0 && c < 0x7F; }),
        "the label is the same text in Windows-1252 and UTF-8");
    std::string spoken;
    const auto add = [&spoken](std::string_view piece) {
        spoken.append(piece.data(), piece.size());
    };
    add(kLabel);
    add(": ");
    add(IntToText(static_cast<std::int64_t>(lines.size())));
    add(" Zeilen");
    if (counter == Counter::kSabo && !lines.empty()) {
        add(", ");
        add(lines.back());
    }
    for (std::size_t i = 0; counter == Counter::kPluen && i < lines.size(); ++i) {
        add(i == 1 ? "" : ", ");
        add(lines[i]);
    }
    return Cp1252ToUtf8(spoken);
}

}  // namespace korva::form
