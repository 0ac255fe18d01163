// Result texts written out by hand, so that window tests do not take the counters' word for
// what the counters should give.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// lines, each followed by CR LF, as the result box holds them.
inline QString CrLfLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

struct SaboCounts {
    std::int64_t planetenzentrale = 0, raumhafen = 0, wohngebaeude = 0, solarpark = 0,
                 eisenmine = 0, siliziumraffinerie = 0, kohlenstoffgewinnungsanlage = 0,
                 bohrturm = 0, chemiefabrik = 0, recyclinganlage = 0, rohstofflager = 0,
                 schiffsfabrik = 0, waffenfabrik = 0, forschungszentrum = 0;
    std::int64_t total = 0;
};

inline QString SaboResult(const SaboCounts& c) {
    const auto row = [](const char* name, std::int64_t count) {
        return QString::fromUtf8(name) + QStringLiteral("  (") + QString::number(count) +
               QLatin1Char(')');
    };
    return CrLfLines({
        row("Planetenzentrale", c.planetenzentrale),
        row("Raumhafen", c.raumhafen),
        row("Wohngebäude", c.wohngebaeude),
        row("Solarpark", c.solarpark),
        row("Eisenmine", c.eisenmine),
        row("Siliziumraffinerie", c.siliziumraffinerie),
        row("Kohlenstoffgewinnungsanlage", c.kohlenstoffgewinnungsanlage),
        row("Bohrturm", c.bohrturm),
        row("Chemiefabrik", c.chemiefabrik),
        row("Recyclinganlage", c.recyclinganlage),
        row("Rohstofflager", c.rohstofflager),
        row("Schiffsfabrik", c.schiffsfabrik),
        row("Waffenfabrik", c.waffenfabrik),
        row("Forschungszentrum", c.forschungszentrum),
        QString(),
        QStringLiteral("Gesamt zerstörte Punkte: ") + QString::number(c.total),
    });
}

struct PluenSums {
    std::int64_t eisen = 0, silizium = 0, kohlenstoff = 0, wasser = 0, sauerstoff = 0,
                 wasserstoff = 0;
};

inline QString PluenResult(const PluenSums& s) {
    return CrLfLines({
        QStringLiteral("Geplünderte Ressourcen gesamt: "),
        QStringLiteral("Eisen = ") + QString::number(s.eisen),
        QStringLiteral("Silizium = ") + QString::number(s.silizium),
        QStringLiteral("Kohlenstoff = ") + QString::number(s.kohlenstoff),
        QStringLiteral("Wasser = ") + QString::number(s.wasser),
        QStringLiteral("Sauerstoff = ") + QString::number(s.sauerstoff),
        QStringLiteral("Wasserstoff = ") + QString::number(s.wasserstoff),
    });
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
    {.raumhafen = 1, .wohngebaeude = 2, .eisenmine = 3, .forschungszentrum = 1, .total = 11});
inline const QString kPluenReportResult = PluenResult({.eisen = 13000,
                                                       .silizium = 8300,
                                                       .kohlenstoff = 4100,
                                                       .wasser = 1200,
                                                       .sauerstoff = 300,
                                                       .wasserstoff = 950});
