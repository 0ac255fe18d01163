// The one input korva-count reads at a time, a named file or standard input, as the system hands
// it over: raw bytes, with no translation of line ends and no end-of-file character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace korva::cli {

class InputFile {
  public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Opens the file name (UTF-8 on Windows), or standard input for "-". Returns 0 or the errno
    // of the failure; a directory is EISDIR on every system.
    int Open(const std::string& name);

    struct ReadResult {
        std::size_t size;  // 0 at the end of the input
        int error;         // 0 or the errno of the failure
    };
    // Reads up to buffer.size() bytes, waiting for them when a pipe has none yet. What is typed
    // into a Windows console arrives as UTF-8, and a line opening with Ctrl+Z ends it.
    ReadResult Read(std::span<char> buffer);

  private:
    std::intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
    bool owned_ = false;         // standard input stays open
#ifdef _WIN32
    bool console_ = false;        // a console, which is read as characters
    bool console_ended_ = false;  // Ctrl+Z has ended the console's input
#endif
};

}  // namespace korva::cli
