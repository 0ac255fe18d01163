// Base 85, for the modules a single-file page carries inline: five characters for four bytes,
// a sixteenth fewer than base64's four for three. Its digits are the printable ASCII characters
// but those that would end the script element holding the text or the string the page's script
// holds the digits in (< > & " ' ` \ { }). A last group of n < 4 bytes takes n + 1 characters.
#pragma once

#include <string>
#include <string_view>

namespace korva::web {

inline constexpr std::string_view kBase85Digits =
    "!#$%()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_abcdefghijklmnopqrstuvwxyz|~";
static_assert(kBase85Digits.size() == 85);

std::string Base85(std::string_view bytes);

}  // namespace korva::web
