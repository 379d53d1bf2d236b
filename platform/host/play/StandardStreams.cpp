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
    // NOTE: standard output goes onto /dev/full read-only, so a report written
    // to it fails as it would have on the closed stream (EBADF), and a file
    // named /dev/stdout, opened anew for writing, fails to write rather than
    // taking what is written away unseen; likewise standard error.
    struct Placeholder {
        int fd;
        const char* path;
        int flags;
    };
    for (const Placeholder& stream : {Placeholder{STDIN_FILENO, "/dev/null", O_RDONLY},
                                      Placeholder{STDOUT_FILENO, "/dev/full", O_RDONLY},
                                      Placeholder{STDERR_FILENO, "/dev/full", O_WRONLY}}) {
        // Each takes the lowest free number: its own, as those below are open.
        if (fcntl(stream.fd, F_GETFD) < 0 && errno == EBADF &&
            open(stream.path, stream.flags) < 0) {
            open("/dev/null", stream.flags);
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
