// An unnamed temporary file, gone when the program ends however it ends: the system's part of
// Spool, one small file per system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace korva::cli {

class TempFile {
  public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    // In $TMPDIR or /tmp; on Windows in the folder TMP or TEMP names. 0 or the errno; a folder
    // that is not there is ENOENT on every system.
    int Create();

    // All of bytes, at the end of what was written. 0 or the errno.
    int Write(std::string_view bytes);

    // Back to the start, for reading. 0 or the errno.
    int Rewind();

    struct ReadResult {
        std::size_t size;  // 0 at the end
        int error;
    };
    ReadResult Read(std::span<char> buffer);

  private:
    std::intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
};

}  // namespace korva::cli
