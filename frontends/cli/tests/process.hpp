// Runs the built korva-count as a child process, the way a shell would.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::cli_test {

// Writes bytes into the child's standard input; false once the child has stopped reading.
using StdinWriter = std::function<bool(std::string_view bytes)>;

enum class StdoutTarget {
    kFile,        // read back into ProcessResult::out
    kFullDevice,  // a device that is always full (/dev/full); only where kHasFullDevice
    kClosedPipe,  // a pipe whose reader is already gone
};

#ifdef _WIN32
inline constexpr bool kHasFullDevice = false;
inline constexpr bool kHasTerminal = false;
#else
inline constexpr bool kHasFullDevice = true;
inline constexpr bool kHasTerminal = true;
#endif

struct ProcessRequest {
    std::vector<std::string> args{};  // UTF-8
    std::optional<std::string> stdin_bytes{};
    // When neither stdin_bytes nor this is set: the null device.
    std::optional<std::filesystem::path> stdin_path{};
    std::function<void(const StdinWriter& write)> feed_stdin{};  // a pipe instead
    bool stdin_nonblocking = false;  // for feed_stdin: the child's end is O_NONBLOCK (POSIX)
    // Standard input a terminal (a pseudo-terminal, POSIX only) on which these keys are typed.
    std::optional<std::string> typed_keys{};
    StdoutTarget stdout_target = StdoutTarget::kFile;
    bool ignore_sigpipe = false;  // POSIX
};

struct ProcessResult {
    int wait_status = 0;  // as waitpid gives it; the exit code on Windows
    std::string out;      // empty unless stdout_target is kFile
    std::string err;

    bool ExitedWith(int code) const;
    bool KilledBy(int signal) const;
};

// dir holds the files standard input and output pass through. The child gets LC_ALL=C so that
// the reasons in its messages are predictable.
ProcessResult RunKorvaCount(const std::filesystem::path& dir, const ProcessRequest& request);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// The path as UTF-8, as korva-count takes and names it on every system.
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace korva::cli_test
