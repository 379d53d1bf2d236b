// A file the program was asked to write (a screenshot, a shot, a capture),
// opened so that a failed write never destroys anything. A regular or new
// file (after following links to the file they name) is written to a
// temporary file beside it, .NAME.XXXXXX.part, and renamed over it only once
// whole: the target is either as it was or complete, and of two writers of
// one file the last to finish wins. Anything else that exists (a device, a
// FIFO, /dev/stdout) is written in place and never removed.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

class OutputFile {
  public:
    // Null with *error (the reason only, for the caller to say with the
    // target's name) when neither the target nor a file beside it can be opened.
    static std::unique_ptr<OutputFile> Open(const std::filesystem::path& target,
                                            std::string* error);
    // Removes the temporary file unless committed; the target stays as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    int Descriptor() const { return fd_; }
    // The file being written: the temporary one, or the target in place.
    const std::filesystem::path& WritePath() const { return InPlace() ? target_ : temporary_; }
    // True when the target is not a regular file and is written as it is.
    bool InPlace() const { return temporary_.empty(); }
    // A stdio stream over the descriptor for writers that want one, owned
    // here; null when none can be made.
    std::FILE* Stream();
    // Flushes, syncs and closes, then renames the temporary file over the
    // target. False with *error ("cannot write: ..."), the temporary removed.
    bool Commit(std::string* error);

  private:
    OutputFile() = default;
    // Closes what is open; the first failure's errno, or 0.
    int Close();

    std::filesystem::path target_;    // with links followed
    std::filesystem::path temporary_; // empty: written in place
    int fd_ = -1;
    std::FILE* stream_ = nullptr; // owns fd_ once made
};
