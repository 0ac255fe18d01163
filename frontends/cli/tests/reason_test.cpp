#include "frontends/cli/reason.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#ifdef _WIN32
#include "frontends/cli/windows_error.hpp"
#endif

namespace korva::cli {
namespace {

// The words themselves are checked where the user reads them, in korva-count's messages
// (end_to_end_test.cpp: a missing file, a folder, no permission, a full disk, a closed pipe, and a
// rare reason in the system's words). Here, what those runs cannot reach: the other codes of the
// same cause give the same words, and those words are the program's own, not the C library's
// (English in the C locale the tests run in, and always on Windows).
TEST(Reason, EveryCodeOfOneCauseGivesTheProgramsOwnWords) {
    const struct {
        int error;
        int cause;
    } rows[] = {
        {EPERM, EACCES},  // what Linux says of a file it refuses for other reasons than its mode
#ifdef _WIN32
        {ErrnoFromWindows(ERROR_FILE_NOT_FOUND), ENOENT},
        {ErrnoFromWindows(ERROR_ACCESS_DENIED), EACCES},
        {ErrnoFromWindows(ERROR_SHARING_VIOLATION), EBUSY},
        {ErrnoFromWindows(ERROR_DISK_FULL), ENOSPC},
        {ErrnoFromWindows(ERROR_NO_DATA), EPIPE},
#endif
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Reason(row.error), Reason(row.cause)) << row.error;
        EXPECT_NE(Reason(row.error), SystemReason(row.cause)) << row.error;
    }
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
