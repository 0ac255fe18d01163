#include "cli/spool.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "cli/output.hpp"

namespace korva::cli {

namespace {

// Big enough that writes cost little, small enough that memory stays flat.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

Spool::Spool() {
    const char* const dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/korva-count-XXXXXX";
    fd_ = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    // Unlinked at once, so no file is left behind, not even when the program is killed.
    ::unlink(path.c_str());
    buffer_.reserve(kBufferSize);
}

Spool::~Spool() {
    if (fd_ >= 0) ::close(fd_);
}

void Spool::Append(std::string_view text) {
    if (error_ != 0) return;
    buffer_ += text;
    if (buffer_.size() >= kBufferSize) Flush();
}

void Spool::Flush() {
    if (error_ == 0) error_ = WriteAll(fd_, buffer_);
    buffer_.clear();
}

int Spool::CopyTo(int fd) {
    Flush();
    if (error_ != 0) return error_;
    if (::lseek(fd_, 0, SEEK_SET) < 0) return errno;
    std::vector<char> chunk(kBufferSize);
    while (true) {
        const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        if (const int error =
                WriteAll(fd, std::string_view(chunk.data(), static_cast<std::size_t>(n)))) {
            return error;
        }
    }
}

}  // namespace korva::cli
