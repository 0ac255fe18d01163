#include <windows.h>

#include <stdexcept>
#include <string>

#include "frontends/cli/wide_text.hpp"
#include "process.hpp"

namespace korva::cli_test {

namespace {

// One argument as CommandLineToArgvW, and so the child's wmain, will read it back.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each is doubled, and the quote escaped.
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring Wide(const std::string& utf8) {
    const std::u16string wide = cli::WideFromUtf8(utf8);
    return std::wstring(wide.begin(), wide.end());
}

// The program under test is built next to the tests.
std::filesystem::path KorvaCountPath() {
    std::wstring self(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    self.resize(n);
    return std::filesystem::path(self).parent_path() / L"korva-count.exe";
}

// Owns a handle for the lifetime of one run.
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE get() const { return handle_; }
    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }

  private:
    HANDLE handle_;
};

HANDLE Inheritable(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) throw std::runtime_error("handle");
    ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

HANDLE OpenFile(const std::filesystem::path& path, bool write) {
    return Inheritable(::CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, write ? CREATE_ALWAYS : OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

bool ProcessResult::ExitedWith(int code) const {
    return wait_status == code;
}

bool ProcessResult::KilledBy(int) const {
    return false;  // Windows has no signals that end a process from outside
}

ProcessResult RunKorvaCount(const std::filesystem::path& dir, const ProcessRequest& request) {
    const auto in_path = dir / "stdin.bin";
    const auto out_path = dir / "stdout.bin";
    const auto err_path = dir / "stderr.bin";
    if (request.stdin_bytes) WriteBytes(in_path, *request.stdin_bytes);

    // Only the child's ends are inheritable; the test's end of a pipe must not reach the child,
    // or its input would never end.
    Handle in, out, err, feed;
    if (request.feed_stdin) {
        HANDLE read_end = nullptr, write_end = nullptr;
        if (!::CreatePipe(&read_end, &write_end, nullptr, 0)) throw std::runtime_error("pipe");
        in.Reset(Inheritable(read_end));
        feed.Reset(write_end);
    } else {
        in.Reset(
            OpenFile(request.stdin_bytes ? in_path : request.stdin_path.value_or(L"NUL"), false));
    }
    if (request.stdout_target == StdoutTarget::kClosedPipe) {
        HANDLE read_end = nullptr, write_end = nullptr;
        if (!::CreatePipe(&read_end, &write_end, nullptr, 0)) throw std::runtime_error("pipe");
        ::CloseHandle(read_end);
        out.Reset(Inheritable(write_end));
    } else if (request.stdout_target == StdoutTarget::kFile) {
        out.Reset(OpenFile(out_path, true));
    } else {
        throw std::runtime_error("no full device on Windows");
    }
    err.Reset(OpenFile(err_path, true));

    std::wstring command_line = Quoted(KorvaCountPath().wstring());
    for (const std::string& arg : request.args) command_line += L" " + Quoted(Wide(arg));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(::GetLastError()));
    }
    Handle process_handle(process.hProcess);
    ::CloseHandle(process.hThread);
    in.Close();
    out.Close();
    err.Close();
    if (request.feed_stdin) {
        const HANDLE pipe = feed.get();
        request.feed_stdin([pipe](std::string_view bytes) {
            while (!bytes.empty()) {
                DWORD written = 0;
                if (!::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                 nullptr)) {
                    return false;
                }
                bytes.remove_prefix(written);
            }
            return true;
        });
        feed.Close();
    }

    ::WaitForSingleObject(process_handle.get(), INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process_handle.get(), &code);
    ProcessResult result;
    result.wait_status = static_cast<int>(code);
    if (request.stdout_target == StdoutTarget::kFile) result.out = ReadBytes(out_path);
    result.err = ReadBytes(err_path);
    return result;
}

}  // namespace korva::cli_test
