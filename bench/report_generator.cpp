#include "report_generator.hpp"

#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace korva::bench {

namespace {

constexpr std::array<std::string_view, 14> kBuildings = {"Planetenzentrale",
                                                         "Raumhafen",
                                                         "Wohngebäude",
                                                         "Solarpark",
                                                         "Eisenmine",
                                                         "Siliziumraffinerie",
                                                         "Kohlenstoffgewinnungsanlage",
                                                         "Bohrturm",
                                                         "Chemiefabrik",
                                                         "Recyclinganlage",
                                                         "Rohstofflager",
                                                         "Schiffsfabrik",
                                                         "Waffenfabrik",
                                                         "Forschungszentrum"};
constexpr std::array<std::string_view, 6> kResources = {"Eisen",       "Silizium",   "Kohlenstoff",
                                                        "Wasserstoff", "Sauerstoff", "Wasser"};
// Lines of the other reports a player pastes along: fleets, battles, messages.
constexpr std::array<std::string_view, 12> kOtherLines = {
    "Flotte von [3:120:7] nach [4:88:2] gestartet, Ankunft in 02:14:33.",
    "Ihre Flotte ist am Ziel angekommen und hat die Umlaufbahn erreicht.",
    "Spionagebericht von Planet Kerath Prime [2:41:9]:",
    "Verteidigungsanlagen: 12 Laserturm, 4 Ionengeschütz, 1 Schildkuppel",
    "Kampfbericht: Der Angreifer hat die Schlacht gewonnen. Trümmerfeld: 12.400 Einheiten",
    "Nachricht von Allianz [KOR]: Treffpunkt morgen um 20 Uhr bei [1:1:1].",
    "Ihre Agenten wurden entdeckt und konnten nicht entkommen.",
    "Planet Varunis III: Bauauftrag abgeschlossen.",
    "Forschung abgeschlossen: Hyperraumantrieb Stufe 7",
    "Transport von 12000 Einheiten an [5:17:3] zugestellt.",
    "Die Flotte kehrt zurück. Verbleibende Flugzeit: 00:41:12",
    "Handelsangebot angenommen: 500 Kristall gegen 300 Deuterium.",
};

class Writer {
  public:
    Writer(std::string& out, std::uint32_t seed) : out_(out), random_(seed) {}

    std::uint32_t Below(std::uint32_t n) { return random_() % n; }

    void TimeLine(std::string_view what) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%02u.%02u.2026 %02u:%02u:%02u ", 1 + Below(28),
                      1 + Below(12), Below(24), Below(60), Below(60));
        out_ += stamp;
        Line(what);
    }
    void Line(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    void Append(std::string_view text) { out_ += text; }

    void Sabotage() {
        TimeLine("Sabotagebericht von Planet Kerath Prime [2:41:9]");
        Line("Ihre Agenten haben erfolgreich sabotiert. Zerstört wurden:");
        for (auto n = 1 + Below(4); n > 0; --n) {
            Append(kBuildings[Below(kBuildings.size())]);
            Append(" (");
            Append(std::to_string(1 + Below(12)));
            Line(")");
        }
    }
    void Plunder() {
        TimeLine("Plünderungsbericht von Planet Varunis III [4:88:2]");
        Line("Ihre Flotte hat folgende Ressourcen erbeutet:");
        for (const auto resource : kResources) {
            Append(resource);
            Append(" ");
            Line(std::to_string(Below(250000)));
        }
    }
    void Other() {
        TimeLine("Ereignis");
        for (auto n = 2 + Below(6); n > 0; --n) Line(kOtherLines[Below(kOtherLines.size())]);
    }
    void Dense() {
        for (int i = 0; i < 3; ++i) {
            Append(kBuildings[Below(kBuildings.size())]);
            Append(" und ");
        }
        Append(kResources[Below(kResources.size())]);
        Append(" (");
        Append(std::to_string(Below(100)));
        Line(")");
        Append(kResources[Below(kResources.size())]);
        Append(" ");
        Append(std::to_string(Below(100000)));
        Append(" aus Eisenmine und Wasserstoff-Tank");
        Line("");
    }

  private:
    std::string& out_;
    std::mt19937 random_;
};

}  // namespace

void GenerateReports(std::string& out, std::size_t bytes, Shape shape, std::uint32_t seed) {
    Writer writer(out, seed);
    const std::size_t end = out.size() + bytes;
    while (out.size() < end) {
        if (shape == Shape::Dense) {
            writer.Dense();
            continue;
        }
        const auto pick = writer.Below(10);
        if (pick < 2) {
            writer.Sabotage();
        } else if (pick < 4) {
            writer.Plunder();
        } else {
            writer.Other();
        }
    }
}

}  // namespace korva::bench
