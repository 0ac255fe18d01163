// The failures' messages, and the error box's text for a message.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "frontends/model/failure.hpp"

namespace {

using namespace korva::form;

TEST(Failure, Messages) {
    const struct {
        Exception failure;
        std::u16string_view message;
    } rows[] = {
        {EAbort(), u"Operation aborted"},
        {EOutOfMemory(), u"Out of memory"},
        {EExternalException(kForeignFailureCode), u"External exception E06D7363"},
        {EExternalException(0x00000AB0), u"External exception AB0"},
        {EExternalException(0), u"External exception 0"},
        {EExternalException(0xFFFFFFFF), u"External exception FFFFFFFF"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.failure.Message(), row.message);
}

// The rule itself is checked for every last character in ClosingPeriod; these rows check that
// the message reaches it whole: empty, surrogate pairs, units from 0x80 on.
TEST(Failure, ErrorBoxTextAppendsThePeriodByTheRule) {
    const struct {
        std::u16string_view message;
        std::u16string_view text;
    } rows[] = {
        {u"Out of memory", u"Out of memory."},
        {u"Fehler.", u"Fehler."},
        {u"Fehler!", u"Fehler!"},
        {u"", u""},
        {u"Fehler\n", u"Fehler\n"},
        {u"5 €", u"5 €."},  // 0x80 in Windows-1252
        {u"Ω", u"Ω."},      // outside Windows-1252
        {u"😀", u"😀."},      // outside the BMP
    };
    for (const auto& row : rows) EXPECT_EQ(ErrorBoxText(row.message), row.text);
}

// The fixed texts are what the rule makes of the messages.
TEST(Failure, FixedTextsAreTheMessagesAsTheBoxShowsThem) {
    EXPECT_EQ(ErrorBoxText(EOutOfMemory().Message()), kOutOfMemoryText);
    EXPECT_EQ(ErrorBoxText(EExternalException(kForeignFailureCode).Message()), kForeignFailureText);
}

}  // namespace
