#include "platform/host/capture/CaptureFile.h"

#include "platform/host/capture/LibavHandles.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kBufferBytes = 64 * 1024;

std::string ErrnoText(int code) {
    return std::strerror(code);
}

bool DiskIsFull(int code) {
    return code == ENOSPC || code == EDQUOT;
}

// An unnamed file in folder: gone with its descriptor, even after a crash.
// Where the file system cannot make one, a named one removed at once.
int OpenUnnamedFile(const std::filesystem::path& folder) {
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) {
        return fd;
    }
    std::string name = (folder / ".quorvel8-room-XXXXXX").string();
    const int named = mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        unlink(name.c_str());
    }
    return named;
}

} // namespace

std::unique_ptr<CaptureFile> CaptureFile::Create(const std::filesystem::path& file,
                                                 std::int64_t heldBytes, std::string* error) {
    std::unique_ptr<CaptureFile> capture(new CaptureFile);
    capture->fd_ = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (capture->fd_ < 0) {
        *error = "cannot create the file: " + ErrnoText(errno);
        return nullptr;
    }
    struct stat status = {};
    if (fstat(capture->fd_, &status) == 0 && S_ISREG(status.st_mode)) {
        const std::filesystem::path folder =
            file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
        capture->held_ = OpenUnnamedFile(folder);
        const int result =
            capture->held_ < 0 ? errno : posix_fallocate(capture->held_, 0, heldBytes);
        if (result != 0) {
            *error = "cannot write: " + ErrnoText(result);
            return nullptr;
        }
    }
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
    if (buffer != nullptr) {
        capture->io_ = avio_alloc_context(buffer, kBufferBytes, 1, capture.get(), nullptr,
                                          &CaptureFile::WritePacket, &CaptureFile::Seek);
    }
    if (capture->io_ == nullptr) {
        av_free(buffer);
        *error = "out of memory";
        return nullptr;
    }
    return capture;
}

CaptureFile::~CaptureFile() {
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    for (const int fd : {fd_, held_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

int CaptureFile::WritePacket(void* opaque, std::uint8_t* data, int size) {
    auto* capture = static_cast<CaptureFile*>(opaque);
    int done = 0;
    while (done < size) {
        const ssize_t written = write(capture->fd_, data + done, static_cast<size_t>(size - done));
        if (written > 0) {
            done += static_cast<int>(written);
            continue;
        }
        const int code = written < 0 ? errno : EIO;
        if (code == EINTR) {
            continue;
        }
        if (DiskIsFull(code) && capture->held_ >= 0) {
            capture->GiveUpHeldRoom();
            continue;
        }
        return AVERROR(code);
    }
    return size;
}

std::int64_t CaptureFile::Seek(void* opaque, std::int64_t offset, int whence) {
    const int fd = static_cast<CaptureFile*>(opaque)->fd_;
    if (whence == AVSEEK_SIZE) {
        struct stat status = {};
        return fstat(fd, &status) == 0 ? status.st_size : AVERROR(errno);
    }
    const off_t position = lseek(fd, offset, whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(errno) : position;
}

void CaptureFile::GiveUpHeldRoom() {
    // The file has no name, so closing it frees its blocks.
    close(held_);
    held_ = -1;
    ranOutOfSpace_ = true;
}

bool CaptureFile::Close(std::string* error) {
    avio_flush(io_);
    int code = io_->error < 0 ? io_->error : 0;
    if (close(fd_) != 0 && code == 0) {
        code = AVERROR(errno);
    }
    fd_ = -1;
    if (code < 0) {
        *error = "cannot finish the file: " + LibavErrorText(code);
        return false;
    }
    return true;
}
