// The result text both windows show: the core's result lines, each ended by CR LF, in UTF-16,
// from report text in Windows-1252 with any line breaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/window/report_count.hpp"

namespace {

TEST(ReportCount, SaboResultTextAsTheBoxShowsIt) {
    const std::u16string text = korva::form::ResultBoxText(korva::form::CountSaboReport(
        "Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerst\xF6rt\r\n"
        "14:32:05 Raumhafen (1) zerst\xF6rt\n14:32:07 Wohngeb\xE4ude (2) zerst\xF6rt\r"
        "14:32:09 Forschungszentrum zerst\xF6rt"));
    EXPECT_EQ(text,
              u"Planetenzentrale  (0)\r\nRaumhafen  (1)\r\nWohngebäude  (2)\r\nSolarpark  (0)\r\n"
              u"Eisenmine  (3)\r\nSiliziumraffinerie  (0)\r\nKohlenstoffgewinnungsanlage  (0)\r\n"
              u"Bohrturm  (0)\r\nChemiefabrik  (0)\r\nRecyclinganlage  (0)\r\n"
              u"Rohstofflager  (0)\r\nSchiffsfabrik  (0)\r\nWaffenfabrik  (0)\r\n"
              u"Forschungszentrum  (1)\r\n\r\nGesamt zerstörte Punkte: 11\r\n");
}

TEST(ReportCount, PluenResultIsSevenLinesEachEndedByCrLf) {
    const std::u16string text = korva::form::ResultBoxText(korva::form::CountPluenReport(""));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 7);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 7);
    EXPECT_TRUE(text.ends_with(u"\r\n"));
    EXPECT_EQ(text.find(u"\r\n\r\n"), std::u16string::npos);
}

}  // namespace
