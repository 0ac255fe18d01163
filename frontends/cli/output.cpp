#include "frontends/cli/output.hpp"

#include <algorithm>
#include <array>
#include <numeric>

#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"

namespace korva::cli {

namespace {

std::string Utf8Lines(const ResultLines& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += Cp1252ToUtf8(line);
        text += '\n';
    }
    return text;
}

// A table name as a JSON string. The names hold no quote or control byte today; escaping keeps
// the output valid should one ever come in.
void AppendJsonName(std::string& json, std::string_view cp1252_name) {
    static constexpr char kHex[] = "0123456789abcdef";
    json += '"';
    for (const char c : Cp1252ToUtf8(cp1252_name)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xF];
        } else {
            json += c;
        }
    }
    json += '"';
}

std::string SaboJson(const SaboTally& tally) {
    std::string json = R"({"counter":"sabo","buildings":[)";
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        if (r > 0) json += ',';
        json += R"({"name":)";
        AppendJsonName(json, BuildingTable[r].name);
        json += R"(,"count":)" + IntToText(tally.Counts()[r]);
        json += R"(,"points":)" + IntToText(BuildingTable[r].points) + '}';
    }
    json += R"(],"total":)" + IntToText(tally.Total()) + "}\n";
    return json;
}

std::string PluenJson(const PluenTally& tally) {
    // The result box's order, not the search order the sums are kept in.
    std::array<std::size_t, ResourceTable.size()> order;
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
        return ResourceTable[a].output_line < ResourceTable[b].output_line;
    });
    std::string json = R"({"counter":"pluen","resources":[)";
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0) json += ',';
        json += R"({"name":)";
        AppendJsonName(json, ResourceTable[order[i]].keyword);
        json += R"(,"amount":)" + IntToText(tally.Sums()[order[i]]) + '}';
    }
    json += "]}\n";
    return json;
}

template <class Tally>
std::string Format(const Tally& tally, OutputFormat format, std::string (*json)(const Tally&)) {
    switch (format) {
        case OutputFormat::kRaw:
            return OutputText(tally.Lines());
        case OutputFormat::kJson:
            return json(tally);
        case OutputFormat::kText:
            break;
    }
    return Utf8Lines(tally.Lines());
}

}  // namespace

std::string FormatResult(const SaboTally& tally, OutputFormat format) {
    return Format(tally, format, SaboJson);
}

std::string FormatResult(const PluenTally& tally, OutputFormat format) {
    return Format(tally, format, PluenJson);
}

}  // namespace korva::cli
