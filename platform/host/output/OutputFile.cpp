#include "platform/host/output/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinksFollowed = 40; // as the kernel's own limit

std::string ErrnoText(int code) {
    return std::strerror(code);
}

// The file a chain of symbolic links ends at when it does not exist yet: the
// new file goes there, and the links stay links.
fs::path FollowLinks(fs::path path) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            break;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// What a new file gets: read and write for all, less the umask, as fopen
// would give it.
mode_t NewFileMode() {
    // NOTE: umask can only be read by setting it; the first output is opened
    // before any thread of ours creates files.
    static const mode_t mask = [] {
        const mode_t current = umask(022);
        umask(current);
        return current;
    }();
    return 0666 & ~mask;
}

} // namespace

std::unique_ptr<OutputFile> OutputFile::Open(const fs::path& target, std::string* error) {
    std::unique_ptr<OutputFile> output(new OutputFile);
    struct stat status = {};
    const bool exists = stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        *error = "cannot create the file: " + ErrnoText(errno);
        return nullptr;
    }
    if (exists && !S_ISREG(status.st_mode)) {
        // Opened by the name given: /dev/stdout's links lead to a pipe's
        // descriptor, which has no other name.
        output->target_ = target;
        output->fd_ = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (output->fd_ < 0) {
            *error = "cannot open the file: " + ErrnoText(errno);
            return nullptr;
        }
        return output;
    }
    std::error_code real;
    output->target_ = exists ? fs::canonical(target, real) : FollowLinks(target);
    if (real) {
        *error = "cannot create the file: " + real.message();
        return nullptr;
    }
    // A file the user may not write stays as it is, as an open for writing
    // would have left it.
    if (exists && faccessat(AT_FDCWD, output->target_.c_str(), W_OK, AT_EACCESS) != 0) {
        *error = "cannot open the file: " + ErrnoText(errno);
        return nullptr;
    }
    const fs::path folder =
        output->target_.has_parent_path() ? output->target_.parent_path() : fs::path(".");
    std::string name =
        (folder / ("." + output->target_.filename().string() + ".XXXXXX.part")).string();
    output->fd_ = mkostemps(name.data(), 5, O_CLOEXEC);
    if (output->fd_ < 0) {
        *error = "cannot create a file in " + folder.string() + ": " + ErrnoText(errno);
        return nullptr;
    }
    output->temporary_ = name;
    // A file written over keeps its permissions.
    if (fchmod(output->fd_, exists ? status.st_mode & 0777 : NewFileMode()) != 0) {
        *error = "cannot create the file: " + ErrnoText(errno);
        return nullptr;
    }
    return output;
}

OutputFile::~OutputFile() {
    Close();
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
    }
}

std::FILE* OutputFile::Stream() {
    if (stream_ == nullptr && fd_ >= 0) {
        stream_ = fdopen(fd_, "wb");
    }
    return stream_;
}

int OutputFile::Close() {
    int code = 0;
    if (stream_ != nullptr) {
        if (std::fflush(stream_) != 0) {
            code = errno;
        } else if (std::ferror(stream_) != 0) {
            code = EIO;
        }
        if (std::fclose(stream_) != 0 && code == 0) {
            code = errno;
        }
    } else if (fd_ >= 0 && close(fd_) != 0) {
        code = errno;
    }
    stream_ = nullptr;
    fd_ = -1;
    return code;
}

bool OutputFile::Commit(std::string* error) {
    int code = 0;
    if (stream_ != nullptr && std::fflush(stream_) != 0) {
        code = errno;
    }
    // A write the disk takes late (a full disk, a network file system) fails
    // here or not at all: the file is renamed into place only once it is there.
    if (code == 0 && !InPlace() && fsync(fd_) != 0) {
        code = errno;
    }
    if (const int closed = Close(); code == 0) {
        code = closed;
    }
    if (code == 0 && !InPlace() && rename(temporary_.c_str(), target_.c_str()) != 0) {
        *error = "cannot replace the file: " + ErrnoText(errno);
        return false;
    }
    if (code != 0) {
        *error = "cannot write: " + ErrnoText(code);
        return false;
    }
    temporary_.clear();
    return true;
}
