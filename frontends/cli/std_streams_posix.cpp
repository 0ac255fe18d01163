#include <unistd.h>

#include <cerrno>

#include "frontends/cli/std_streams.hpp"

namespace korva::cli {

namespace {

// Goes on after short writes.
int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace

int WriteStandardOutput(std::string_view text, CodePage) {
    return WriteAll(STDOUT_FILENO, text);
}

int WriteStandardError(std::string_view utf8_text) {
    return WriteAll(STDERR_FILENO, utf8_text);
}

bool StandardInputIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::string_view EndOfTypedInput() {
    // The terminal's end-of-file key; elsewhere in a line it only hands the line on.
    return "Strg+D am Anfang einer Zeile";
}

int CloseStandardOutput() {
    // After EINTR the descriptor is closed all the same on Linux.
    return ::close(STDOUT_FILENO) != 0 && errno != EINTR ? errno : 0;
}

}  // namespace korva::cli
