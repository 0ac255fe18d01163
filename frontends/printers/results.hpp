// The counters' totals written out: the result lines in UTF-8, and as one JSON object.
#pragma once

#include <string>

#include "counters/pluen_counter.hpp"
#include "counters/result_lines.hpp"
#include "counters/sabo_counter.hpp"

namespace korva {

// Each Windows-1252 line in UTF-8, followed by LF.
std::string Utf8Lines(const ResultLines& lines);

// {"counter":"sabo","buildings":[{"name":"Planetenzentrale","count":0,"points":2},...],
// "total":0} and LF, the buildings in table order.
std::string ResultJson(const SaboTally& tally);

// {"counter":"pluen","resources":[{"name":"Eisen","amount":0},...]} and LF, the resources in
// the result box's order.
std::string ResultJson(const PluenTally& tally);

}  // namespace korva
