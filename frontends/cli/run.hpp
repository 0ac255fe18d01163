// The whole program behind main: parse, count, print, and the exit status.
#pragma once

#include <span>

namespace korva::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file could not be read or the result not written
inline constexpr int kExitUsage = 2;

// args without the program name. Reads the files or standard input, writes to standard output
// and standard error; standard output receives nothing unless everything succeeded.
int Run(std::span<const char* const> args);

}  // namespace korva::cli
