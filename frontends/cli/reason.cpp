#include "frontends/cli/reason.hpp"

#include <cerrno>
#include <string_view>

namespace korva::cli {

namespace {

struct GermanReason {
    int error;
    std::string_view text;
};

// The C library's texts are English in the C locale and always on Windows (msvcrt has no other
// language), so the reasons a user meets are said here.
constexpr GermanReason kGermanReasons[] = {
    {ENOENT, "Datei oder Ordner nicht gefunden"},
    {EISDIR, "Ist ein Ordner"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Keine Berechtigung"},
    {ENOSPC, "Datenträger voll"},
    {EPIPE, "Der Empfänger hat die Pipe geschlossen"},
    // On Windows: another program holds the file open without sharing it.
    {EBUSY, "Wird von einem anderen Programm verwendet"},
};

}  // namespace

std::string Reason(int error) {
    for (const GermanReason& reason : kGermanReasons) {
        if (reason.error == error) return std::string(reason.text);
    }
    return SystemReason(error);
}

}  // namespace korva::cli
