// What reading a file must give, written plainly: whatever its first bytes decide (a UTF-8 mark
// skipped in every mode; UTF-16 by its mark or its zero bytes, in kAuto only) decided once on the
// whole file; UTF-16 decoded as a whole (an odd last byte one "?") before it is divided; anything
// else divided byte by byte, then each line decoded on its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "counters/tests/oracle.hpp"
#include "counters/text/cp1252.hpp"
#include "frontends/cli/input.hpp"

namespace korva::cli_test {

struct DecodedAtOnce {
    std::string content;  // what is divided into lines: the bytes after a mark, or UTF-16 decoded
    std::vector<std::string> lines;
};

inline DecodedAtOnce DecodeAtOnce(std::string_view file, cli::Encoding encoding) {
    const cli::FileStart start = cli::FileStartOf(file, encoding);
    file.remove_prefix(start.mark_size);
    if (start.form != cli::TextForm::kBytes) {
        const bool little_endian = start.form == cli::TextForm::kUtf16Le;
        std::u16string units;
        for (std::size_t i = 0; i + 1 < file.size(); i += 2) {
            const auto a = static_cast<unsigned char>(file[i]);
            const auto b = static_cast<unsigned char>(file[i + 1]);
            units.push_back(static_cast<char16_t>(little_endian ? a | b << 8 : a << 8 | b));
        }
        std::string text = Utf16ToCp1252(units);
        if (file.size() % 2 != 0) text.push_back('?');
        return {text, oracle::Lines(text)};
    }
    std::vector<std::string> lines = oracle::Lines(file);
    for (auto& line : lines) {
        if (encoding == cli::Encoding::kUtf8 ||
            (encoding == cli::Encoding::kAuto && IsValidUtf8(line))) {
            line = Utf8ToCp1252(line);
        }
    }
    return {std::string(file), lines};
}

}  // namespace korva::cli_test
