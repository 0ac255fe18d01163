#include "frontends/printers/results.hpp"

#include <algorithm>
#include <array>
#include <numeric>

#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"
#include "frontends/printers/escapes.hpp"

namespace korva {

std::string Utf8Lines(const ResultLines& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += Cp1252ToUtf8(line);
        text += '\n';
    }
    return text;
}

std::string ResultJson(const SaboTally& tally) {
    std::string json = R"({"counter":"sabo","buildings":[)";
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        if (r > 0) json += ',';
        json += R"({"name":)";
        AppendJsonString(json, Cp1252ToUtf8(BuildingTable[r].name));
        json += R"(,"count":)" + IntToText(tally.Counts()[r]);
        json += R"(,"points":)" + IntToText(BuildingTable[r].points) + '}';
    }
    json += R"(],"total":)" + IntToText(tally.Total()) + "}\n";
    return json;
}

std::string ResultJson(const PluenTally& tally) {
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
        AppendJsonString(json, Cp1252ToUtf8(ResourceTable[order[i]].keyword));
        json += R"(,"amount":)" + IntToText(tally.Sums()[order[i]]) + '}';
    }
    json += "]}\n";
    return json;
}

}  // namespace korva
