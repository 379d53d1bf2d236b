// Ownership of libav handles: unique_ptr with one deleter that knows how each
// kind is freed. The libav headers stay in the .cpp files.
#pragma once

#include <memory>
#include <string>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

struct LibavDeleter {
    void operator()(AVCodecContext* codec) const;
    // Leaves its I/O alone: the capture's file is CaptureFile's to close.
    void operator()(AVFormatContext* format) const;
    void operator()(AVFrame* frame) const;
    void operator()(AVPacket* packet) const;
    void operator()(SwsContext* scaler) const;
};

template <typename T> using LibavPtr = std::unique_ptr<T, LibavDeleter>;

// libav's text for a negative result code.
std::string LibavErrorText(int code);
