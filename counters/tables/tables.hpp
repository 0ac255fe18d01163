// What the reports are searched for: the buildings a sabotage can destroy, with the points one
// destroyed building is worth, and the resources a plunder can carry off. Names are Windows-1252
// ("Wohngeb\xE4ude" holds the single byte 0xE4 for its umlaut) and compared byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace korva {

struct Building {
    std::string_view name;
    std::int32_t points;
};

// Table order is both the order each line is tested in and the order of the result lines.
// No name contains another, so a line matches a second row only when it names a second building.
inline constexpr std::array<Building, 14> BuildingTable = {{
    {"Planetenzentrale", 2},
    {"Raumhafen", 3},
    {"Wohngeb\xE4ude", 1},
    {"Solarpark", 1},
    {"Eisenmine", 1},
    {"Siliziumraffinerie", 1},
    {"Kohlenstoffgewinnungsanlage", 1},
    {"Bohrturm", 1},
    {"Chemiefabrik", 2},
    {"Recyclinganlage", 2},
    {"Rohstofflager", 1},
    {"Schiffsfabrik", 3},
    {"Waffenfabrik", 3},
    {"Forschungszentrum", 3},
}};

struct Resource {
    std::string_view keyword;
    std::string_view label;   // the result line's text before the amount
    std::size_t output_line;  // 1-based line of the plunder result; line 1 is the heading
};

// In search order. The amount's text always starts right after the keyword's length.
inline constexpr std::array<Resource, 6> ResourceTable = {{
    {"Eisen", "Eisen = ", 2},
    {"Silizium", "Silizium = ", 3},
    {"Kohlenstoff", "Kohlenstoff = ", 4},
    {"Wasserstoff", "Wasserstoff = ", 7},
    {"Sauerstoff", "Sauerstoff = ", 6},
    {"Wasser", "Wasser = ", 5},
}};

inline constexpr std::string_view kSaboTotalLabel = "Gesamt zerst\xF6rte Punkte: ";
inline constexpr std::string_view kPluenHeading = "Gepl\xFCnderte Ressourcen gesamt: ";

}  // namespace korva
