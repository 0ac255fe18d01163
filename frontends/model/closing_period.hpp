// The error box's period rule, for any front end.
#pragma once

#include <string_view>

namespace korva::form {

// True when message is not empty and its last character, as a Windows-1252 byte, lies above "."
// (46). Below 0x80 UTF-16 and Windows-1252 agree; every character from 0x80 on is either a byte
// from 0x80 on or, lacking one, "?" (63), and so, like a low surrogate, always takes the period.
inline constexpr char16_t kPeriod = u'.';

constexpr bool TakesClosingPeriod(std::u16string_view message) {
    return !message.empty() && message.back() > kPeriod;
}

}  // namespace korva::form
