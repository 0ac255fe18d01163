// The report text the window benchmarks paste: a day's sabotage and plunder reports with their
// time lines, the same text for every toolkit so that their figures compare. UTF-16, as a
// clipboard hands text to a window; the line break is the toolkit's own (CR LF on Windows).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace korva::bench {

inline std::u16string PasteText(std::size_t megabytes, std::u16string_view line_break) {
    constexpr std::array<std::u16string_view, 11> kLines = {
        u"Sabotagebericht vom 07.12.2026 14:32",
        u"Ziel: Korva II [3:217:8]",
        u"14:32:05 Eisenmine (3) zerstört",
        u"14:32:05 Raumhafen (1) zerstört",
        u"14:32:07 Wohngebäude (2) zerstört",
        u"Eure Agenten sind unerkannt entkommen.",
        u"Plünderbericht vom 07.12.2026 15:10",
        u"Eisen 12500",
        u"Silizium 8300",
        u"Wasserstoff\t950",
        u"",
    };
    const std::size_t target = megabytes * 1000 * 1000;
    std::u16string text;
    text.reserve(target + 200);
    while (text.size() < target) {
        for (const std::u16string_view line : kLines) (text += line) += line_break;
    }
    return text;
}

}  // namespace korva::bench
