#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "process.hpp"

namespace korva::cli_test {

bool ProcessResult::ExitedWith(int code) const {
    return WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == code;
}

bool ProcessResult::KilledBy(int signal) const {
    return WIFSIGNALED(wait_status) && WTERMSIG(wait_status) == signal;
}

namespace {

// KORVA_COUNT_EMULATOR, words split at spaces: the program to run korva-count under, with its
// options, as the tests themselves run (qemu-x86_64 -cpu of a CPU without AVX2). An emulator
// runs only its own process: a program it starts runs on the real CPU unless started through it.
std::vector<std::string> EmulatorWords() {
    const char* const emulator = std::getenv("KORVA_COUNT_EMULATOR");
    std::vector<std::string> words;
    std::istringstream in(emulator ? emulator : "");
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

ProcessResult RunKorvaCount(const std::filesystem::path& dir, const ProcessRequest& request) {
    const std::string in_path = (dir / "stdin.bin").string();
    const std::string out_path = (dir / "stdout.bin").string();
    const std::string err_path = (dir / "stderr.bin").string();
    if (request.stdin_bytes) WriteBytes(in_path, *request.stdin_bytes);

    int pipe_fds[2] = {-1, -1};
    if (request.feed_stdin) {
        // A child that stops reading must not kill the test with SIGPIPE.
        std::signal(SIGPIPE, SIG_IGN);
        if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
        if (request.stdin_nonblocking && ::fcntl(pipe_fds[0], F_SETFL, O_NONBLOCK) != 0) {
            throw std::runtime_error("fcntl");
        }
    }
    int terminal = -1;  // the test's side of the pseudo-terminal
    int terminal_side = -1;
    if (request.typed_keys &&
        ::openpty(&terminal, &terminal_side, nullptr, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty");
    }
    if (terminal >= 0) {
        ::fcntl(terminal, F_SETFD, FD_CLOEXEC);
        ::fcntl(terminal_side, F_SETFD, FD_CLOEXEC);
    }
    int out_fd = -1;
    if (request.stdout_target == StdoutTarget::kFullDevice) {
        out_fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    } else if (request.stdout_target == StdoutTarget::kClosedPipe) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
        ::close(fds[0]);
        out_fd = fds[1];
    }

    std::vector<std::string> args = EmulatorWords();
    args.push_back(KORVA_COUNT_BINARY);
    args.insert(args.end(), request.args.begin(), request.args.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    char lc_all[] = "LC_ALL=C";
    char* envp[] = {lc_all, nullptr};
    const std::string stdin_source =
        request.stdin_bytes ? in_path : request.stdin_path.value_or("/dev/null").string();

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        const int in = request.typed_keys   ? terminal_side
                       : request.feed_stdin ? pipe_fds[0]
                                            : ::open(stdin_source.c_str(), O_RDONLY);
        const int out = request.stdout_target != StdoutTarget::kFile
                            ? out_fd
                            : ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) ::_exit(126);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::signal(SIGPIPE, request.ignore_sigpipe ? SIG_IGN : SIG_DFL);
        ::execve(argv[0], argv.data(), envp);
        ::_exit(127);
    }
    if (out_fd >= 0) ::close(out_fd);
    if (request.typed_keys) {
        // Typed ahead: the terminal holds the keys until the program reads them, line by line,
        // and an end-of-file key at the start of a line ends one read of the input.
        ::close(terminal_side);
        const std::string& keys = *request.typed_keys;
        if (::write(terminal, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
            throw std::runtime_error("write to the terminal");
        }
    }
    if (request.feed_stdin) {
        ::close(pipe_fds[0]);
        const int fd = pipe_fds[1];
        request.feed_stdin([fd](std::string_view bytes) {
            while (!bytes.empty()) {
                const ssize_t n = ::write(fd, bytes.data(), bytes.size());
                if (n <= 0) return false;
                bytes.remove_prefix(static_cast<std::size_t>(n));
            }
            return true;
        });
        ::close(fd);
    }

    ProcessResult result;
    if (::waitpid(pid, &result.wait_status, 0) != pid) throw std::runtime_error("waitpid");
    if (terminal >= 0) ::close(terminal);
    if (request.stdout_target == StdoutTarget::kFile) result.out = ReadBytes(out_path);
    result.err = ReadBytes(err_path);
    return result;
}

}  // namespace korva::cli_test
