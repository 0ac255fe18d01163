#include <fcntl.h>
#include <sys/stat.h>
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

std::optional<std::int64_t> StandardOutputEnd() {
    struct stat output;
    if (::fstat(STDOUT_FILENO, &output) != 0) return std::nullopt;
    if (S_ISCHR(output.st_mode)) {
        struct stat null_device;
        const bool is_null = ::stat("/dev/null", &null_device) == 0 &&
                             S_ISCHR(null_device.st_mode) && null_device.st_rdev == output.st_rdev;
        return is_null ? std::optional<std::int64_t>(0) : std::nullopt;
    }
    const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
    if (!S_ISREG(output.st_mode) || flags < 0 || (flags & O_APPEND) != 0) return std::nullopt;
    // Written at its end, so that taking back cuts nothing that was there before.
    const off_t at = ::lseek(STDOUT_FILENO, 0, SEEK_CUR);
    if (at != output.st_size) return std::nullopt;
    return at;
}

int TakeBackStandardOutput(std::int64_t end) {
    struct stat output;
    if (::fstat(STDOUT_FILENO, &output) != 0) return errno;
    if (!S_ISREG(output.st_mode)) return 0;  // the null device kept nothing
    return ::ftruncate(STDOUT_FILENO, static_cast<off_t>(end)) == 0 ? 0 : errno;
}

int CloseStandardOutput() {
    // After EINTR the descriptor is closed all the same on Linux.
    return ::close(STDOUT_FILENO) != 0 && errno != EINTR ? errno : 0;
}

}  // namespace korva::cli
