#include "platform/host/play/StandardStreams.h"

#include "platform/common/Log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int reportError = 0; // errno of the first write to standard output that failed

} // namespace

void OpenClosedStandardStreams() {
    // NOTE: standard output goes onto /dev/null read-only, so a report written
    // to it fails as it would have on the closed stream (EBADF) and is not
    // taken as said.
    for (const auto& [fd, flags] :
         {std::pair{STDIN_FILENO, O_RDONLY}, std::pair{STDOUT_FILENO, O_RDONLY},
          std::pair{STDERR_FILENO, O_WRONLY}}) {
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            // The lowest free number: fd itself, as those below are open.
            open("/dev/null", flags);
        }
    }
}

void Report(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    if (std::vprintf(format, arguments) < 0 && reportError == 0) {
        reportError = errno;
    }
    va_end(arguments);
}

int FinishReport(int status) {
    if (std::fflush(stdout) != 0 && reportError == 0) {
        reportError = errno;
    }
    if (reportError == 0 && std::ferror(stdout) != 0) {
        reportError = EIO;
    }
    if (reportError == EPIPE) {
        return 128 + SIGPIPE;
    }
    if (reportError != 0) {
        LogLine(std::string("quorvel8: cannot write the report: ") + std::strerror(reportError));
        return 2;
    }
    return status;
}
