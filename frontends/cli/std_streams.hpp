// Standard output and standard error. Files and pipes receive the bytes exactly; a Windows
// console receives the characters, so that German text shows right whatever its code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korva::cli {

enum class CodePage { kUtf8, kCp1252 };

// Write all of text. Return 0 or the errno of the failure.
int WriteStandardOutput(std::string_view text, CodePage code_page);
int WriteStandardError(std::string_view utf8_text);

// True when standard input is a terminal or a console: someone types or pastes the reports.
bool StandardInputIsTerminal();

// How that someone ends the input on this system.
std::string_view EndOfTypedInput();

// Where standard output can take back what is written to it from now on: a regular file written
// at its end (not opened for appending, which another program may share), whose size this is; or
// the null device, 0. nullopt for a pipe, a terminal or anything else: output there is gone.
std::optional<std::int64_t> StandardOutputEnd();

// Takes back what was written to standard output since StandardOutputEnd gave end. 0 or the errno.
int TakeBackStandardOutput(std::int64_t end);

// Closes standard output, so that a failure the system reports only then (a full disk over NFS,
// a vanished reader) is seen before the exit status is chosen. Returns 0 or the errno.
int CloseStandardOutput();

}  // namespace korva::cli
