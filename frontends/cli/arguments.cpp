#include "frontends/cli/arguments.hpp"

#include <optional>

namespace korva::cli {

namespace {

// Every line under 80 columns, so that an 80-column console breaks none of them.
constexpr std::string_view kUsage =
    "Aufruf: korva-count sabo|pluen [--encoding auto|utf-8|cp1252]\n"
    "                   [--raw | --json | --csv] [--explain] [DATEI...]\n"
    "\n"
    "Zählt Sabotageberichte (sabo) oder Plünderungsberichte (pluen) wie die Knöpfe\n"
    "»Sabo« und »Plünder« des KORVA-Counters. Gelesen werden die DATEIen der Reihe\n"
    "nach, ohne DATEI oder bei DATEI »-« die Standardeingabe.\n"
    "\n"
    "  --encoding auto    Zeilen, die gültiges UTF-8 sind, als UTF-8 lesen, alle\n"
    "                     anderen als Windows-1252; UTF-16 an der BOM oder an den\n"
    "                     Nullbytes erkennen (Vorgabe)\n"
    "  --encoding utf-8   alles als UTF-8 lesen; ungültige Bytes werden zu »?«\n"
    "  --encoding cp1252  alles als Windows-1252 lesen\n"
    "  --raw              das Ergebnis genau wie im Ergebnisfeld ausgeben\n"
    "                     (Windows-1252, Zeilenende CR LF)\n"
    "  --json             das Ergebnis als JSON-Objekt in einer Zeile ausgeben\n"
    "  --explain          vor dem Ergebnis jede Zeile zeigen, die etwas zählt:\n"
    "                     Datei, Zeilennummer, was sie zu welchem Posten zählt,\n"
    "                     und die Zeile selbst (nicht mit --raw)\n"
    "  --csv              nur die Erklärung ausgeben, als CSV für eine Tabellen-\n"
    "                     kalkulation (RFC 4180, UTF-8, mit Kopfzeile): Datei,\n"
    "                     Zeile, Zähler, Posten, Menge, Zeilentext\n"
    "  -h, --help         diese Hilfe zeigen\n"
    "  --version          die Version zeigen\n"
    "\n"
    "Rückgabewert: 0 bei Erfolg, 1 wenn eine Datei nicht gelesen oder das Ergebnis\n"
    "nicht geschrieben werden kann, 2 bei falschem Aufruf.\n";

std::optional<Encoding> EncodingNamed(std::string_view name) {
    if (name == "auto") return Encoding::kAuto;
    if (name == "utf-8") return Encoding::kUtf8;
    if (name == "cp1252") return Encoding::kCp1252;
    return std::nullopt;
}

ParsedArguments UsageError(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

}  // namespace

std::string_view UsageText() {
    return kUsage;
}

std::string ShortUsageText() {
    // The synopsis is the first paragraph.
    return std::string(kUsage.substr(0, kUsage.find("\n\n") + 1)) + "Mehr dazu: korva-count --help";
}

ParsedArguments ParseArguments(std::span<const char* const> args) {
    ParsedArguments parsed;
    Options& options = parsed.options;
    std::optional<std::string_view> counter;
    bool raw = false;
    bool json = false;
    bool csv = false;
    bool options_ended = false;
    const auto operand = [&](std::string_view arg) {
        if (counter) {
            options.files.emplace_back(arg);
        } else {
            counter = arg;
        }
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_ended || arg == "-" || !arg.starts_with("-")) {
            operand(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.action = ParsedArguments::Action::kHelp;
            return parsed;
        } else if (arg == "--version") {
            parsed.action = ParsedArguments::Action::kVersion;
            return parsed;
        } else if (arg == "--raw") {
            raw = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--csv") {
            csv = true;
        } else if (arg == "--explain") {
            options.explain = true;
        } else if (arg == "--encoding" || arg.starts_with("--encoding=")) {
            std::string_view value;
            if (arg != "--encoding") {
                value = arg.substr(arg.find('=') + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return UsageError("--encoding braucht einen Wert: auto, utf-8 oder cp1252");
            }
            const std::optional<Encoding> encoding = EncodingNamed(value);
            if (!encoding) {
                return UsageError("Unbekannte Kodierung: »" + std::string(value) +
                                  "« (möglich sind auto, utf-8 und cp1252)");
            }
            options.encoding = *encoding;
        } else {
            return UsageError("Unbekannte Option: »" + std::string(arg) + "«");
        }
    }

    if (!counter) return UsageError("Kein Zähler angegeben (sabo oder pluen)");
    if (*counter == "sabo") {
        options.counter = Counter::kSabo;
    } else if (*counter == "pluen") {
        options.counter = Counter::kPluen;
    } else {
        return UsageError("Unbekannter Zähler: »" + std::string(*counter) +
                          "« (möglich sind sabo und pluen)");
    }
    if (raw && json) return UsageError("--raw und --json schließen einander aus");
    if (csv && (raw || json)) {
        return UsageError(std::string(raw ? "--raw" : "--json") +
                          " und --csv schließen einander aus");
    }
    // The raw result is the window's box, byte for byte; nothing else may stand in it.
    if (raw && options.explain) return UsageError("--raw und --explain schließen einander aus");
    options.format = raw    ? OutputFormat::kRaw
                     : json ? OutputFormat::kJson
                     : csv  ? OutputFormat::kCsv
                            : OutputFormat::kText;
    // The CSV holds the explanation's rows: asked for, they are made.
    if (csv) options.explain = true;
    if (options.files.empty()) options.files.emplace_back("-");
    parsed.action = ParsedArguments::Action::kCount;
    return parsed;
}

}  // namespace korva::cli
