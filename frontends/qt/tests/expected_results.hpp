// The results the window is to show, from the tables' names and labels with the figures each
// test expects, and the reports the tests count.
#pragma once

#include <QString>

#include "counters/tests/expected_result.hpp"

// The figures of korva::expected: names in Windows-1252; the result as the box holds it.
inline QString SaboResult(const korva::expected::Figures& counts, korva::Tally total) {
    return QString::fromUtf8(korva::expected::Text(korva::expected::Sabo(counts, total), "\r\n"));
}

inline QString PluenResult(const korva::expected::Figures& sums) {
    return QString::fromUtf8(korva::expected::Text(korva::expected::Pluen(sums), "\r\n"));
}

inline const QString kSaboReport = QStringLiteral(
    "Sabotagebericht vom 07.12.2026 14:32\n"
    "Ziel: Korva II [3:217:8]\n"
    "14:32:05 Eisenmine (3) zerstört\n"
    "14:32:05 Raumhafen (1) zerstört\n"
    "14:32:07 Wohngebäude (2) zerstört\n"
    "14:32:09 Forschungszentrum zerstört\n"
    "Eure Agenten sind unerkannt entkommen.\n");

inline const QString kPluenReport = QStringLiteral(
    "Plünderbericht vom 07.12.2026 15:10\n"
    "Eure Flotte hat folgende Ressourcen erbeutet:\n"
    "Eisen 12500\n"
    "Silizium 8300\n"
    "Kohlenstoff 4100\n"
    "Wasserstoff\t950\n"
    "Wasser 1200\n"
    "Sauerstoff 300\n"
    "Eisen 500\n");

// What the counters give for those two reports.
inline const QString kSaboReportResult = SaboResult(
    {{"Raumhafen", 1}, {"Wohngeb\xE4ude", 2}, {"Eisenmine", 3}, {"Forschungszentrum", 1}}, 11);
inline const QString kPluenReportResult = PluenResult({{"Eisen", 13000},
                                                       {"Silizium", 8300},
                                                       {"Kohlenstoff", 4100},
                                                       {"Wasser", 1200},
                                                       {"Sauerstoff", 300},
                                                       {"Wasserstoff", 950}});
