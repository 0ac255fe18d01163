// Windows names files and arguments in UTF-16 that need not be valid: a lone surrogate is a
// legal file name character there. These conversions carry such names through the program's
// UTF-8 strings and back unchanged (the "WTF-8" form: a lone surrogate becomes its own 3-byte
// sequence), so every file the system can name can be opened and named in messages.
#pragma once

#include <string>
#include <string_view>

namespace korva::cli {

std::string Utf8FromWide(std::u16string_view wide);

// The inverse for every text Utf8FromWide makes. Bytes that are no such sequence become U+FFFD
// each, as no file name can hold them.
std::u16string WideFromUtf8(std::string_view utf8);

}  // namespace korva::cli
