#include "packaging/windows/path_entry.hpp"

#include <windows.h>

#include <optional>

namespace korva::setup {
namespace {

bool SameFolder(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The entry with its %NAMES% replaced from this process's environment, as Windows expands the
// user's PATH; as it is where nothing is to expand.
std::wstring Expanded(std::wstring_view entry) {
    const std::wstring text(entry);
    if (text.find(L'%') == std::wstring::npos) return text;
    std::wstring expanded(ExpandEnvironmentStringsW(text.c_str(), nullptr, 0), L'\0');
    if (expanded.empty() ||
        ExpandEnvironmentStringsW(text.c_str(), expanded.data(),
                                  static_cast<DWORD>(expanded.size())) > expanded.size()) {
        return text;
    }
    expanded.resize(wcslen(expanded.c_str()));
    return expanded;
}

struct Span {
    size_t begin;
    size_t end;
};

std::optional<Span> LastEntry(std::wstring_view path, std::wstring_view folder, bool path_expands) {
    std::optional<Span> found;
    size_t begin = 0;
    while (begin <= path.size()) {
        const size_t end = std::min(path.find(L';', begin), path.size());
        const std::wstring_view entry = path.substr(begin, end - begin);
        if (SameFolder(entry, folder) || (path_expands && SameFolder(Expanded(entry), folder))) {
            found = Span{begin, end};
        }
        begin = end + 1;
    }
    return found;
}

}  // namespace

std::wstring WithEntry(std::wstring_view path, std::wstring_view folder, bool path_expands) {
    if (LastEntry(path, folder, path_expands)) return std::wstring(path);
    // Always a ";" of its own, even after one the value ends with, so that taking the entry out
    // with the ";" before it gives back the very value.
    return path.empty() ? std::wstring(folder) : std::wstring(path) + L";" + std::wstring(folder);
}

std::wstring WithoutEntry(std::wstring_view path, std::wstring_view folder) {
    // Only the entry as the setup wrote it: the folder itself.
    const std::optional<Span> entry = LastEntry(path, folder, false);
    if (!entry) return std::wstring(path);
    std::wstring rest(path);
    if (entry->begin > 0) {
        rest.erase(entry->begin - 1, entry->end - entry->begin + 1);
    } else {
        rest.erase(0, std::min(entry->end + 1, rest.size()));
    }
    return rest;
}

}  // namespace korva::setup
