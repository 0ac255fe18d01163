// What the page calls: the count of a report text in UTF-8 to the result box's text. Memory is
// lent across the boundary as plain addresses; the page writes the report into a block it asks
// for, and reads and frees the result block it gets back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "counters/tables/counter.hpp"
#include "counters/text/cp1252.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/model/report_explanation.hpp"

namespace {

// Which button was pressed, as the page numbers it; nothing for a number that names none.
bool IsCounter(std::int32_t counter) {
    return counter == static_cast<std::int32_t>(korva::Counter::kSabo) ||
           counter == static_cast<std::int32_t>(korva::Counter::kPluen);
}

// A result block: each text's length as 32 bits, then the text.
std::uint8_t* ResultBlock(std::string_view text, std::string_view announcement) {
    auto* block = static_cast<std::uint8_t*>(
        std::malloc(2 * sizeof(std::uint32_t) + text.size() + announcement.size()));
    if (block == nullptr) return nullptr;
    std::uint8_t* at = block;
    for (const std::string_view part : {text, announcement}) {
        const auto length = static_cast<std::uint32_t>(part.size());
        std::memcpy(at, &length, sizeof length);
        std::memcpy(at + sizeof length, part.data(), part.size());
        at += sizeof length + part.size();
    }
    return block;
}

// An explanation block: the rows' length as 32 bits, the rows, then the number of rows shown and
// of the rows left out, 32 bits each.
std::uint8_t* ExplanationBlock(const korva::form::ReportExplanation& explanation) {
    const std::uint32_t numbers[] = {static_cast<std::uint32_t>(explanation.rows.size()),
                                     static_cast<std::uint32_t>(explanation.shown),
                                     static_cast<std::uint32_t>(explanation.more)};
    auto* block = static_cast<std::uint8_t*>(std::malloc(sizeof numbers + explanation.rows.size()));
    if (block == nullptr) return nullptr;
    std::memcpy(block, numbers, sizeof(std::uint32_t));
    std::memcpy(block + sizeof(std::uint32_t), explanation.rows.data(), explanation.rows.size());
    std::memcpy(block + sizeof(std::uint32_t) + explanation.rows.size(), numbers + 1,
                2 * sizeof(std::uint32_t));
    return block;
}

}  // namespace

extern "C" {

// size bytes for the page to write into, or 0 when there is no memory for them.
__attribute__((export_name("korva_alloc"))) void* korva_alloc(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

__attribute__((export_name("korva_free"))) void korva_free(void* block) {
    std::free(block);
}

// The result box's text for the report text at text (UTF-8, every line ended by CR LF), then what
// a screen reader is told ("Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 8"), in a block the
// page frees. 0 for an unknown counter, or when the result finds no memory. Running out of memory
// while counting ends the call with a trap (see memory.cpp).
__attribute__((export_name("korva_count"))) std::uint8_t* korva_count(std::int32_t counter,
                                                                      const char* text,
                                                                      std::size_t size) {
    if (!IsCounter(counter)) return nullptr;
    const korva::form::ShownCount shown =
        korva::form::CountUtf8(static_cast<korva::Counter>(counter), std::string_view(text, size));
    return ResultBlock(korva::Cp1252ToUtf8(shown.result_text), shown.announcement);
}

// The rows behind the count of the report text at text (UTF-8), "Zeile 5: Eisenmine +3 | ..."
// each ended by LF, at most max_rows of them, in a block the page frees; with a separator (a
// comma's or a tab's character code) korva-count --csv's header and records instead. 0 for an
// unknown counter or separator, or when the block finds no memory.
__attribute__((export_name("korva_explain"))) std::uint8_t* korva_explain(std::int32_t counter,
                                                                          const char* text,
                                                                          std::size_t size,
                                                                          std::uint32_t max_rows,
                                                                          std::int32_t separator) {
    using korva::form::RowForm;
    const auto is = [separator](RowForm form) {
        return separator == static_cast<std::int32_t>(form);
    };
    if (!IsCounter(counter) || !(is(RowForm::kBox) || is(RowForm::kCsv) || is(RowForm::kTabs))) {
        return nullptr;
    }
    return ExplanationBlock(korva::form::ExplainReportUtf8(static_cast<korva::Counter>(counter),
                                                           std::string_view(text, size), max_rows,
                                                           static_cast<RowForm>(separator)));
}

}  // extern "C"
