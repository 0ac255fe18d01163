// Standard output and standard error. Files and pipes receive the bytes exactly; a Windows
// console receives the characters, so that German text shows right whatever its code page.
#pragma once

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

// Closes standard output, so that a failure the system reports only then (a full disk over NFS,
// a vanished reader) is seen before the exit status is chosen. Returns 0 or the errno.
int CloseStandardOutput();

}  // namespace korva::cli
