// How the bytes of a file are to be read: the encoding the user chose, and what the first bytes
// of the file show (a byte-order mark, or in the auto mode UTF-16 without one).
#pragma once

#include <cstddef>
#include <string_view>

namespace korva::cli {

enum class Encoding {
    kAuto,    // per line: valid UTF-8 as UTF-8, anything else as Windows-1252; UTF-16 by its
              // byte-order mark or, without one, by its zero bytes
    kUtf8,    // UTF-8, each maximal invalid piece one "?"
    kCp1252,  // the bytes as they are
};

enum class TextForm {
    kBytes,  // divided into lines as bytes, each line decoded as the encoding says
    kUtf16Le,
    kUtf16Be,
};

struct FileStart {
    TextForm form = TextForm::kBytes;
    std::size_t mark_size = 0;  // the byte-order mark's bytes, skipped
    bool guessed = false;       // UTF-16 recognised by its zero bytes, without a mark
};

// How many first bytes of a file FileStartOf needs to decide (fewer when the file is shorter):
// the first 4 KB tell UTF-16 by its zero bytes, the first 3 a UTF-8 mark.
constexpr std::size_t FileStartSize(Encoding encoding) {
    return encoding == Encoding::kAuto ? 4096 : 3;
}

// A UTF-8 mark is skipped in every mode. In kAuto a UTF-16 mark makes the file UTF-16, and so
// does the pattern of UTF-16 without one: in the first 4 KB, nearly every odd byte (or every even
// one) is 0x00 and the byte beside each of those zeros is a character, not a control byte.
// head: the file's first bytes, FileStartSize of them or the whole file; more are ignored.
FileStart FileStartOf(std::string_view head, Encoding encoding);

}  // namespace korva::cli
