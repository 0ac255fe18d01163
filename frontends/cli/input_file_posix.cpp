#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "frontends/cli/input_file.hpp"

namespace korva::cli {

InputFile::~InputFile() {
    if (owned_) ::close(static_cast<int>(handle_));
}

int InputFile::Open(const std::string& name) {
    if (name == "-") {
        handle_ = STDIN_FILENO;
        return 0;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    handle_ = fd;
    owned_ = true;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return 0;
}

InputFile::ReadResult InputFile::Read(std::span<char> buffer) {
    const int fd = static_cast<int>(handle_);
    while (true) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n >= 0) return {static_cast<std::size_t>(n), 0};
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A non-blocking descriptor handed on by the caller: nothing there yet.
            pollfd ready = {fd, POLLIN, 0};
            ::poll(&ready, 1, -1);
            continue;
        }
        return {0, errno};
    }
}

}  // namespace korva::cli
