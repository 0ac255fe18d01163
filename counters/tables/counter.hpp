// The two counters, as a player picks one: the sabotage count and the plunder count. The numbers
// are the ones the page's module is called with; the generator writes them into the page.
#pragma once

#include <cstdint>

namespace korva {

enum class Counter : std::int32_t { kSabo = 0, kPluen = 1 };

}  // namespace korva
