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
    capture->output_ = OutputFile::Open(file, error);
    if (!capture->output_) {
        return nullptr;
    }
    capture->fd_ = capture->output_->Descriptor();
    if (!capture->output_->InPlace()) {
        capture->held_ = OpenUnnamedFile(capture->output_->WritePath().parent_path());
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
    if (held_ >= 0) {
        close(held_);
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
    if (io_->error < 0) {
        *error = "cannot finish the file: " + LibavErrorText(io_->error);
        return false;
    }
    fd_ = -1;
    return output_->Commit(error);
}
