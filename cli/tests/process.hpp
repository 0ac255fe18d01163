// Runs the built korva-count as a child process, the way a shell would.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korva::cli_test {

struct ProcessSpec {
    std::vector<std::string> args{};
    std::optional<std::string> stdin_bytes{};  // when unset: stdin_path
    std::string stdin_path = "/dev/null";
    std::function<void(int fd)> feed_stdin{};  // writes standard input through a pipe instead
    bool stdin_nonblocking = false;            // for feed_stdin: the child's end is O_NONBLOCK
    int stdout_fd = -1;                        // standard output goes there instead of a file
    bool ignore_sigpipe = false;
};

struct ProcessResult {
    int wait_status = 0;
    std::string out;  // empty when stdout_fd was given
    std::string err;

    bool ExitedWith(int code) const;
    bool KilledBy(int signal) const;
};

// dir holds the files standard input and output pass through. The child gets LC_ALL=C so that
// the reasons in its messages are predictable.
ProcessResult RunKorvaCount(const std::filesystem::path& dir, const ProcessSpec& spec);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korva::cli_test
