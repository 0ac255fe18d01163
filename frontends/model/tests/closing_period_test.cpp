// The period rule, taken on the last UTF-16 unit, against its definition on the last character's
// Windows-1252 byte, for every unit there is.
#include <gtest/gtest.h>

#include <string>

#include "counters/text/cp1252.hpp"
#include "frontends/model/closing_period.hpp"

namespace {

TEST(ClosingPeriod, AgreesWithTheWindows1252ByteForEveryLastUnit) {
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string message{u'x', static_cast<char16_t>(unit)};
        // A lone surrogate has no byte either: "?" all the same.
        const char byte = unit >= 0xD800 && unit <= 0xDFFF ? '?' : korva::Cp1252FromCodePoint(unit);
        const bool by_byte = static_cast<unsigned char>(byte) > '.';
        ASSERT_EQ(korva::form::TakesClosingPeriod(message), by_byte)
            << "unit " << static_cast<unsigned>(unit);
    }
}

TEST(ClosingPeriod, Edges) {
    const struct {
        std::u16string message;
        bool period;
    } rows[] = {
        {u"", false},          {u"Out of memory", true},
        {u"Fehler.", false},   {u"Fehler!", false},
        {u"Wirklich?", true},  {u"a/", true},
        {u"Zähler ä", true},   {u"Ende ", false},
        {u"Zeile\r\n", false}, {u"\U0001F680", true},
        {u"€", true},          {u"→", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(korva::form::TakesClosingPeriod(row.message), row.period);
    }
}

}  // namespace
