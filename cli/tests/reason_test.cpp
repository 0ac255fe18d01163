#include "cli/reason.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include "cli/windows_error.hpp"
#endif

namespace korva::cli {
namespace {

// Every way a common reason reaches the message, on this system.
TEST(Reason, CommonReasonsInGermanTheRestInTheSystemsWords) {
    const std::string not_found = "Datei oder Ordner nicht gefunden";
    const std::string no_permission = "Keine Berechtigung";
    const std::string in_use = "Wird von einem anderen Programm verwendet";
    const std::string disk_full = "Datentr\xC3\xA4ger voll";
    const std::string pipe_closed = "Der Empf\xC3\xA4nger hat die Pipe geschlossen";
    const struct {
        int error;
        std::string reason;
    } rows[] = {
        {ENOENT, not_found},
        {EISDIR, "Ist ein Ordner"},
        {EACCES, no_permission},
        {ENOSPC, disk_full},
        {EPIPE, pipe_closed},
        {EBUSY, in_use},
        {ENOTDIR, std::strerror(ENOTDIR)},
#ifdef _WIN32
        {ErrnoFromWindows(ERROR_FILE_NOT_FOUND), not_found},
        {ErrnoFromWindows(ERROR_ACCESS_DENIED), no_permission},
        {ErrnoFromWindows(ERROR_SHARING_VIOLATION), in_use},
        {ErrnoFromWindows(ERROR_DISK_FULL), disk_full},
        {ErrnoFromWindows(ERROR_NO_DATA), pipe_closed},
#endif
    };
    for (const auto& row : rows) EXPECT_EQ(Reason(row.error), row.reason) << row.error;
}

#ifdef _WIN32
// A code without an errno value keeps Windows' own message, made to follow a colon.
TEST(Reason, RareWindowsCodesKeepTheSystemsMessage) {
    const std::string not_ready = Reason(ErrnoFromWindows(ERROR_NOT_READY));
    const std::string crc = Reason(ErrnoFromWindows(ERROR_CRC));
    for (const std::string& reason : {not_ready, crc}) {
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
        EXPECT_FALSE(reason.ends_with('.')) << reason;
        EXPECT_EQ(reason.find("Systemfehler"), std::string::npos) << reason;
    }
    EXPECT_NE(not_ready, crc);
}
#endif

}  // namespace
}  // namespace korva::cli
