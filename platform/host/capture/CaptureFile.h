// The capture's file on disk, written through libavformat's I/O. A full disk
// must not cost the whole capture: the file's index is written last, so room
// for it is held from the start (an unnamed file beside the capture). When a
// write finds the disk full, that room is given up, the write goes on, and the
// capture can stop and finish a file that plays what was written. The file
// takes its name only once finished (OutputFile.h): a capture that fails
// leaves the target as it was.
#pragma once

#include "platform/host/output/OutputFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct AVIOContext;

class CaptureFile {
  public:
    // Null with *error when the file cannot be created or the room cannot be
    // held. No room is held for what is not a regular file (a device), which
    // is written in place.
    static std::unique_ptr<CaptureFile> Create(const std::filesystem::path& file,
                                               std::int64_t heldBytes, std::string* error);
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    AVIOContext* Io() { return io_; }
    // True once a write found the disk full and used the held room.
    bool RanOutOfSpace() const { return ranOutOfSpace_; }
    // Writes what is buffered, closes the file and gives it its name.
    bool Close(std::string* error);

  private:
    CaptureFile() = default;
    static int WritePacket(void* opaque, std::uint8_t* data, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);
    void GiveUpHeldRoom();

    std::unique_ptr<OutputFile> output_;
    int fd_ = -1;   // output_'s, written by libavformat's I/O
    int held_ = -1; // the unnamed file holding room, while it does
    bool ranOutOfSpace_ = false;
    AVIOContext* io_ = nullptr;
};
