// What the scans look for, derived from the building and resource tables (tables/tables.hpp) as
// the program is compiled: a row added there reaches every scan, and a table that outgrows what a
// scan can hold stops the build with a sentence saying what to change.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/tables/tables.hpp"

namespace korva::kernels {

// Each building is found by three letters of its own, which share the prefilter's eight buckets
// with the other buildings'. Letters and buckets were chosen together for the fewest prefilter
// hits per MB (a hit costs a check) over two samples: generated reports (korva-make-reports) and
// a few MB of everyday German (the German message catalogues of a Debian system): about 1900 and
// 540 hits per MB, against 4350 and 1320 for the first choice by hand. A letter that is common
// alone can still serve when the nibbles of its bucket-mates do not pair it with common
// neighbours ("ral" of Planetenzentrale); "Planet" alone is everywhere in reports, and "turm"
// stands in every "Laserturm".
struct Anchor {
    std::string_view name;     // the row's, as in BuildingTable
    std::string_view letters;  // three of its ASCII letters, found nowhere else in any name
    int bucket;                // 0 to 7
};
inline constexpr std::array kAnchors = {
    Anchor{"Planetenzentrale", "ral", 0},
    Anchor{"Raumhafen", "umh", 4},
    Anchor{"Wohngeb\xE4ude", "ohn", 2},
    Anchor{"Solarpark", "arp", 3},
    Anchor{"Eisenmine", "nmi", 4},
    Anchor{"Siliziumraffinerie", "mra", 6},
    Anchor{"Kohlenstoffgewinnungsanlage", "ffg", 1},
    Anchor{"Bohrturm", "ohr", 2},
    Anchor{"Chemiefabrik", "emi", 4},
    Anchor{"Recyclinganlage", "cyc", 6},
    Anchor{"Rohstofflager", "ffl", 1},
    Anchor{"Schiffsfabrik", "fsf", 1},
    Anchor{"Waffenfabrik", "Waf", 7},
    Anchor{"Forschungszentrum", "rum", 5},
};

// A scan reports the rows a line names as the bits of this.
using BuildingBits = std::uint16_t;

static_assert(BuildingTable.size() <= 8 * sizeof(BuildingBits),
              "More buildings than bits in BuildingBits (kernels/scan_tables.hpp): make it a "
              "wider unsigned type, and NamedLine::named with it.");
static_assert(BuildingTable.size() <= 64,
              "More buildings than the 64 slots of kRowOfSlot: widen Slot's shift (and the "
              "slot tables) in kernels/scan_tables.hpp.");
static_assert(kAnchors.size() == BuildingTable.size(),
              "Each building needs a row of kAnchors (kernels/scan_tables.hpp): three of its ASCII "
              "letters that stand in no other name, and a prefilter bucket 0-7.");

// The three anchor letters as one number.
constexpr std::uint32_t AnchorKey(const char* p) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16;
}

constexpr bool AnchorsStandInTheirNames() {
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        const std::string_view name = BuildingTable[r].name;
        if (kAnchors[r].name != name) return false;
        const std::size_t offset = name.find(kAnchors[r].letters);
        if (offset == std::string_view::npos || kAnchors[r].letters.size() != 3) return false;
        if (kAnchors[r].bucket < 0 || kAnchors[r].bucket > 7) return false;
        for (std::size_t k = 0; k < 3; ++k) {
            if (static_cast<unsigned char>(name[offset + k]) >= 0x80) return false;
        }
    }
    return true;
}
static_assert(AnchorsStandInTheirNames(),
              "A row of kAnchors (kernels/scan_tables.hpp) does not match BuildingTable: same "
              "name, in the same order, three ASCII letters of that name, bucket 0-7.");

// Row r's anchor: its letters' place in the name, and the bucket.
struct AnchorOfRow {
    std::size_t offset;
    int bucket;
};
inline constexpr std::array<AnchorOfRow, BuildingTable.size()> kAnchorOfRow = [] {
    std::array<AnchorOfRow, BuildingTable.size()> rows{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        rows[r] = {BuildingTable[r].name.find(kAnchors[r].letters), kAnchors[r].bucket};
    }
    return rows;
}();

constexpr std::uint32_t RowKey(std::size_t r) {
    return AnchorKey(BuildingTable[r].name.data() + kAnchorOfRow[r].offset);
}

constexpr bool AnchorsDiffer() {
    for (std::size_t a = 0; a < BuildingTable.size(); ++a) {
        for (std::size_t b = a + 1; b < BuildingTable.size(); ++b) {
            if (RowKey(a) == RowKey(b)) return false;
        }
    }
    return true;
}
static_assert(AnchorsDiffer(),
              "Two buildings share their anchor letters: give one of them other letters in "
              "kAnchors (kernels/scan_tables.hpp), so that a hit names one row.");

inline constexpr Fingerprints kBuildingPrints = [] {
    Fingerprints prints;
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        const std::string_view anchor = BuildingTable[r].name.substr(kAnchorOfRow[r].offset, 3);
        prints.Add(kAnchorOfRow[r].bucket, anchor.substr(0, 1), anchor.substr(1, 1),
                   anchor.substr(2, 1));
    }
    return prints;
}();

// A small table found by a multiplicative hash tells which row a hit's three letters name.
constexpr std::size_t Slot(std::uint32_t key, std::uint32_t multiplier) {
    return (key * multiplier) >> 26;  // 64 slots
}

// The first odd multiplier from the golden ratio's that gives every anchor a slot of its own.
inline constexpr std::uint32_t kSlotMultiplier = [] {
    for (std::uint32_t m = 0x9E3779B1u;; m += 2) {
        std::array<bool, 64> used{};
        bool distinct = true;
        for (std::size_t r = 0; r < BuildingTable.size() && distinct; ++r) {
            distinct = !used[Slot(RowKey(r), m)];
            used[Slot(RowKey(r), m)] = true;
        }
        if (distinct) return m;
    }
}();

inline constexpr std::array<std::int8_t, 64> kRowOfSlot = [] {
    std::array<std::int8_t, 64> rows{};
    rows.fill(-1);
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        rows[Slot(RowKey(r), kSlotMultiplier)] = static_cast<std::int8_t>(r);
    }
    return rows;
}();

inline constexpr std::array<std::string_view, BuildingTable.size()> kNames = [] {
    std::array<std::string_view, BuildingTable.size()> names{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) names[r] = BuildingTable[r].name;
    return names;
}();

// The part of each name up to its first non-ASCII byte: what the name looks like whether the
// text is still UTF-8 or already Windows-1252.
inline constexpr std::array<std::string_view, BuildingTable.size()> kAsciiPrefixes = [] {
    std::array<std::string_view, BuildingTable.size()> prefixes{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        const std::string_view name = BuildingTable[r].name;
        std::size_t n = 0;
        while (n < name.size() && static_cast<unsigned char>(name[n]) < 0x80) ++n;
        prefixes[r] = name.substr(0, n);
    }
    return prefixes;
}();

// A word is checked against a line with one 32-byte compare (SameBytesMask).
template <auto kWord, class Row, std::size_t kRows>
constexpr std::size_t LongestWord(const std::array<Row, kRows>& rows) {
    std::size_t longest = 0;
    for (const Row& row : rows) longest = std::max(longest, (row.*kWord).size());
    return longest;
}
static_assert(LongestWord<&Building::name>(BuildingTable) <= 32,
              "A building name longer than 32 bytes: the vector kernels compare a name in one "
              "32-byte load (PaddedWords, kernels/scan_tables.hpp); shorten it or compare it in "
              "two loads.");
static_assert(LongestWord<&Resource::keyword>(ResourceTable) <= 32,
              "A resource keyword longer than 32 bytes: the vector kernels compare a keyword in "
              "one 32-byte load (PaddedWords, kernels/scan_tables.hpp).");

// Each of a table's words (row.*word) in 32 zeroed bytes.
template <auto kWord, class Row, std::size_t kRows>
constexpr std::array<std::array<char, 32>, kRows> PaddedWords(const std::array<Row, kRows>& rows) {
    std::array<std::array<char, 32>, kRows> padded{};
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::string_view word = rows[r].*kWord;
        std::copy(word.begin(), word.end(), padded[r].begin());
    }
    return padded;
}
inline constexpr auto kPaddedNames = PaddedWords<&Building::name>(BuildingTable);
inline constexpr auto kPaddedKeywords = PaddedWords<&Resource::keyword>(ResourceTable);

// A line break followed by a keyword's first two letters: the byte class "\r\n" is exact in
// nibbles, so a hit always stands at a line's start. Keywords that open alike share a bucket
// ("Wasserstoff" and "Wasser"). (Exact letter sets, one lookup per position, cost more than they
// save: the pairs they let through, "Ka" of every "Kampfbericht" among them, each cost a check.)
inline constexpr Fingerprints kLineOpeningPrints = [] {
    Fingerprints prints;
    std::array<std::string_view, ResourceTable.size()> bucket_of{};  // its first two letters
    int buckets = 0;
    for (const Resource& resource : ResourceTable) {
        const std::string_view pair = resource.keyword.substr(0, 2);
        int bucket = 0;
        while (bucket < buckets && bucket_of[static_cast<std::size_t>(bucket)] != pair) ++bucket;
        if (bucket == buckets) bucket_of[static_cast<std::size_t>(buckets++)] = pair;
        if (bucket < 8) prints.Add(bucket, "\r\n", pair.substr(0, 1), pair.substr(1, 1));
    }
    return prints;
}();

constexpr std::size_t OpeningPairs() {
    std::size_t pairs = 0;
    for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
        bool seen = false;
        for (std::size_t s = 0; s < r; ++s) {
            seen = seen ||
                   ResourceTable[s].keyword.substr(0, 2) == ResourceTable[r].keyword.substr(0, 2);
        }
        pairs += seen ? 0 : 1;
    }
    return pairs;
}
static_assert(OpeningPairs() <= 8,
              "More than eight different first-two-letter pairs among the resource keywords: "
              "the prefilter has eight buckets (kLineOpeningPrints, kernels/scan_tables.hpp); "
              "let pairs share a bucket there.");

// A line break followed by a keyword's first two letters, or by a blank and anything. Blanks take
// three buckets, each exact in nibbles, so that the LF of a CR LF is no blank.
inline constexpr Fingerprints kBlankOrLineOpeningPrints = [] {
    Fingerprints prints;
    char every[256] = {};
    for (int c = 0; c < 256; ++c) every[c] = static_cast<char>(c);
    const std::string_view any_byte(every, sizeof every);
    for (const Resource& resource : ResourceTable) {
        prints.Add(0, "\r\n", resource.keyword.substr(0, 1), resource.keyword.substr(1, 1));
    }
    prints.Add(1, "\r\n", any_byte.substr(0x00, 0x0A), any_byte);
    prints.Add(2, "\r\n", "\x0B\x0C\x0E\x0F", any_byte);
    prints.Add(3, "\r\n", any_byte.substr(0x10, 0x11), any_byte);
    return prints;
}();

}  // namespace korva::kernels
