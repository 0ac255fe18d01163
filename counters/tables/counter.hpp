// The two counters, as a player picks one: the sabotage count and the plunder count.
#pragma once

namespace korva {

enum class Counter { kSabo, kPluen };

}  // namespace korva
