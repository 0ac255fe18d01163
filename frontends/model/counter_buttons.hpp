// Which button counts with which counter, for every front end.
#pragma once

#include <array>

#include "counters/tables/counter.hpp"
#include "frontends/model/form.hpp"

namespace korva::form {

struct CounterButton {
    ControlId button;
    Counter counter;
};

inline constexpr std::array kCounterButtons{
    CounterButton{ControlId::kSabo, Counter::kSabo},
    CounterButton{ControlId::kPluen, Counter::kPluen},
};

}  // namespace korva::form
