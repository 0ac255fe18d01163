#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "frontends/cli/temp_file.hpp"

namespace korva::cli {

TempFile::~TempFile() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

int TempFile::Create() {
    const char* const dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/korva-count-XXXXXX";
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    // Unlinked at once, so no file is left behind, not even when the program is killed.
    ::unlink(path.c_str());
    handle_ = fd;
    return 0;
}

int TempFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int TempFile::Rewind() {
    return ::lseek(static_cast<int>(handle_), 0, SEEK_SET) < 0 ? errno : 0;
}

TempFile::ReadResult TempFile::Read(std::span<char> buffer) {
    while (true) {
        const ssize_t n = ::read(static_cast<int>(handle_), buffer.data(), buffer.size());
        if (n >= 0) return {static_cast<std::size_t>(n), 0};
        if (errno != EINTR) return {0, errno};
    }
}

}  // namespace korva::cli
