#include "counters/scans/building_scan.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "counters/scans/fingerprint_scan.hpp"
#include "counters/scans/scan_kernels.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/tables/tables.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

namespace {

// Each name is found by three letters of its own, and the names share the prefilter's eight
// buckets. Both were chosen together for the fewest prefilter hits per MB (a hit costs a check)
// over two samples: generated reports (korva-make-reports) and a few MB of everyday German (the
// German message catalogues of a Debian system): about 1900 and 540 hits per MB, against 4350
// and 1320 for the first choice by hand. A letter that is common alone can still serve when the
// nibbles of its bucket-mates do not pair it with common neighbours ("ral" of
// Planetenzentrale); "Planet" alone is everywhere in reports, and "turm" stands in every
// "Laserturm".
struct Anchor {
    std::size_t offset;  // of the three letters in the name, within its ASCII part
    int bucket;
};
constexpr std::array<Anchor, BuildingTable.size()> kAnchorOfRow = {{
    {12, 0},  // Planetenzentrale: "ral"
    {2, 4},   // Raumhafen: "umh"
    {1, 2},   // Wohngebäude: "ohn"
    {3, 3},   // Solarpark: "arp"
    {4, 4},   // Eisenmine: "nmi"
    {7, 6},   // Siliziumraffinerie: "mra"
    {9, 1},   // Kohlenstoffgewinnungsanlage: "ffg"
    {1, 2},   // Bohrturm: "ohr"
    {2, 4},   // Chemiefabrik: "emi"
    {2, 6},   // Recyclinganlage: "cyc"
    {6, 1},   // Rohstofflager: "ffl"
    {5, 1},   // Schiffsfabrik: "fsf"
    {0, 7},   // Waffenfabrik: "Waf"
    {14, 5},  // Forschungszentrum: "rum"
}};

constexpr Fingerprints kBuildingPrints = [] {
    Fingerprints prints;
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        const std::string_view anchor = BuildingTable[r].name.substr(kAnchorOfRow[r].offset, 3);
        prints.Add(kAnchorOfRow[r].bucket, anchor.substr(0, 1), anchor.substr(1, 1),
                   anchor.substr(2, 1));
    }
    return prints;
}();

// The three anchor letters as one number. The anchors differ, so a hit's three bytes name at
// most one row; a small table found by a multiplicative hash tells which.
constexpr std::uint32_t AnchorKey(const char* p) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16;
}

constexpr std::uint32_t RowKey(std::size_t r) {
    return AnchorKey(BuildingTable[r].name.data() + kAnchorOfRow[r].offset);
}

constexpr std::size_t Slot(std::uint32_t key, std::uint32_t multiplier) {
    return (key * multiplier) >> 26;  // 64 slots
}

// The first odd multiplier from the golden ratio's that gives every anchor a slot of its own.
constexpr std::uint32_t kSlotMultiplier = [] {
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

constexpr std::array<std::int8_t, 64> kRowOfSlot = [] {
    std::array<std::int8_t, 64> rows{};
    rows.fill(-1);
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        rows[Slot(RowKey(r), kSlotMultiplier)] = static_cast<std::int8_t>(r);
    }
    return rows;
}();

constexpr std::array<std::string_view, BuildingTable.size()> kNames = [] {
    std::array<std::string_view, BuildingTable.size()> names{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) names[r] = BuildingTable[r].name;
    return names;
}();

// The part of each name up to its first non-ASCII byte: what the name looks like whether the
// text is still UTF-8 or already Windows-1252.
constexpr std::array<std::string_view, BuildingTable.size()> kAsciiPrefixes = [] {
    std::array<std::string_view, BuildingTable.size()> prefixes{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        const std::string_view name = BuildingTable[r].name;
        std::size_t n = 0;
        while (n < name.size() && static_cast<unsigned char>(name[n]) < 0x80) ++n;
        prefixes[r] = name.substr(0, n);
    }
    return prefixes;
}();

constexpr auto kPaddedNames = kernels::PaddedWords<&Building::name>(BuildingTable);

// Whether the b.size() bytes at a equal b. Eight bytes at a time, the last word overlapping the
// one before, since every name but the ASCII part of "Wohngeb\xE4ude" has at least eight.
bool SameBytes(const char* a, std::string_view b) {
    const auto word = [](const char* p) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    const std::size_t n = b.size();
    if (n < 8) return std::memcmp(a, b.data(), n) == 0;
    for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (word(a + i) != word(b.data() + i)) return false;
    }
    return word(a + n - 8) == word(b.data() + n - 8);
}

struct Found {
    std::uint16_t by_prefix = 0;  // the name's ASCII part stands there
    std::uint16_t by_name = 0;    // the whole Windows-1252 name stands there
};

// The row whose name stands in text around the fingerprint hit, its anchor letters at hit.
// A hit always has its three bytes inside the text.
template <class Kernel = kernels::ScalarKernel>
Found NameAround(std::string_view text, std::size_t hit) {
    const std::uint32_t key = AnchorKey(text.data() + hit);
    const int r = kRowOfSlot[Slot(key, kSlotMultiplier)];
    if (r < 0 || RowKey(r) != key) return {};
    const std::size_t offset = kAnchorOfRow[r].offset;
    if (hit < offset) return {};
    const std::size_t begin = hit - offset;
    const std::string_view name = kNames[r];
    const std::string_view prefix = kAsciiPrefixes[r];
    const auto bit = static_cast<std::uint16_t>(1u << r);
    if constexpr (Kernel::kWideCompare) {
        if (text.size() - begin >= 32) {
            const std::uint32_t same =
                Kernel::SameBytesMask(text.data() + begin, kPaddedNames[r].data());
            const std::uint32_t prefix_bits = kernels::LowBits(prefix.size());
            const std::uint32_t name_bits = kernels::LowBits(name.size());
            if ((same & prefix_bits) != prefix_bits) return {};
            return {bit, (same & name_bits) == name_bits ? bit : std::uint16_t{0}};
        }
    }
    if (text.size() - begin < prefix.size() || !SameBytes(text.data() + begin, prefix)) return {};
    const bool whole = prefix.size() == name.size() ||
                       (text.size() - begin >= name.size() && SameBytes(text.data() + begin, name));
    return {bit, whole ? bit : std::uint16_t{0}};
}

}  // namespace

SaboLine SaboLineRule(std::string_view line) {
    // Neither the names nor the brackets are looked for past a 0x00 byte; the number between
    // the brackets then lies before it too.
    line = UpToNul(line);
    const std::uint16_t named = BuildingsNamedIn(line);
    if (named == 0) return {};
    return {named, AmountBetweenBrackets(line, MarksOf(line))};
}

std::uint16_t BuildingsNamedIn(std::string_view line) {
    line = UpToNul(line);
    std::uint16_t named = 0;
    std::size_t from = 0;
    while (true) {
        const FingerprintBlock block = NextFingerprintBlock(line, from, kBuildingPrints);
        if (block.hits == 0) return named;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const int j = __builtin_ctz(hits);
            named |= NameAround(line, block.base + j).by_name;
        }
        from = block.base + 32;
    }
}

namespace {

// One pass: the prefilter's hits are checked where they stand, and the first real one of a line
// finds the line's bounds, brackets and bytes above 0x7F in one go; later hits before its end
// only add their rows.
template <class Kernel, class OnLine>
void ScanNamedLines(std::string_view text, OnLine&& on_line, const Kernel& kernel) {
    // The line open, in plain locals that stay in registers; the record is made only for the
    // call (building it in place cost a stalled store-to-load round trip per line).
    std::size_t begin = 0;
    kernels::LineFacts facts{0, {0, 0, false}, true};
    std::uint16_t named = 0;
    bool open = false;
    const auto visit = [&] {
        on_line(NamedLine{text.substr(begin, facts.end - begin), named, facts.marks, facts.ascii});
    };
    std::size_t from = 0;
    while (true) {
        const FingerprintBlock block = kernel.Next(text, from);
        if (block.hits == 0) break;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const int j = __builtin_ctz(hits);
            const std::size_t hit = block.base + j;
            if (open && hit >= facts.end) {
                visit();
                open = false;
            }
            const Found found = NameAround<Kernel>(text, hit);
            if (found.by_prefix == 0) continue;
            if (!open) {
                begin = kernels::LineBeginOfHit<Kernel>(text, block, j);
                facts = Kernel::LineFrom(text, begin);
                named = 0;
                open = true;
            }
            named |= found.by_name;
        }
        from = block.base + 32;
    }
    if (open) visit();
}

// Hands the sink what a line the scan found adds. An ASCII line is the same in every encoding: not
// decoded. What the scan found holds for the line as it stands, unless decoding changed it or a
// 0x00 byte hides part of it from the name search; then the rule looks at the line anew.
template <class Sink>
void ScanFound(const NamedLine& found, LineDecoder decode, Sink& sink) {
    const std::string_view line = found.ascii ? found.line : decode(found.line);
    if (found.marks.nul || line.data() != found.line.data() || line.size() != found.line.size()) {
        const SaboLine rule = SaboLineRule(line);
        if (rule.named == 0) return;
        sink.Named(rule.named, rule.amount);
    } else {
        if (found.named == 0) return;
        sink.Named(found.named, AmountBetweenBrackets(line, found.marks));
    }
    sink.EndLine(found.line, line);
}

}  // namespace

template <class Sink>
void ScanSabo(std::string_view text, LineDecoder decode, Sink& sink, ScanPath path) {
    kernels::WithKernel(path, [&]<class Kernel>() {
        ScanNamedLines(
            text, [&](const NamedLine& found) { ScanFound(found, decode, sink); },
            Kernel(kBuildingPrints));
    });
}

template void ScanSabo(std::string_view, LineDecoder, SaboTallySink&, ScanPath);
template void ScanSabo(std::string_view, LineDecoder, ExplanationSink&, ScanPath);
template void ScanSabo(std::string_view, LineDecoder, BothSinks<SaboTallySink>&, ScanPath);

void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line, ScanPath path) {
    kernels::WithKernel(
        path, [&]<class Kernel>() { ScanNamedLines(text, on_line, Kernel(kBuildingPrints)); });
}

}  // namespace korva
