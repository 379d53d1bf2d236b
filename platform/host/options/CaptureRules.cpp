#include "platform/host/options/CaptureRules.h"

#include "platform/common/QuotedValue.h"

#include <cstdio>

int FrameTimeMs(std::int64_t frame, FrameRate fps) {
    // Exact in integers: frame * 1000 * den / num, rounded half up.
    const std::int64_t scaled = frame * 1000 * fps.den;
    return static_cast<int>((2 * scaled + fps.num) / (2 * static_cast<std::int64_t>(fps.num)));
}

std::int64_t FramesBefore(int endMs, FrameRate fps) {
    std::int64_t frames = static_cast<std::int64_t>(endMs) * fps.num / (1000LL * fps.den);
    while (FrameTimeMs(frames, fps) < endMs) {
        ++frames;
    }
    while (frames > 0 && FrameTimeMs(frames - 1, fps) >= endMs) {
        --frames;
    }
    return frames;
}

bool ParseFrameRate(const std::string& text, FrameRate* fps) {
    int num = 0;
    int den = 1;
    char tail = 0;
    const int read = std::sscanf(text.c_str(), "%d/%d%c", &num, &den, &tail);
    const bool wholeOnly = text.find('/') == std::string::npos;
    if ((wholeOnly && (read != 1 || text.find_first_not_of("0123456789") != std::string::npos)) ||
        (!wholeOnly && read != 2)) {
        return false;
    }
    if (num <= 0 || den <= 0 || num > 1000 * den) {
        return false;
    }
    *fps = {num, den};
    return true;
}

bool ParseFrameSize(const std::string& text, int* width, int* height) {
    int w = 0;
    int h = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &tail) != 2) {
        return false;
    }
    if (w < 16 || h < 16 || w > 8192 || h > 8192) {
        return false;
    }
    *width = w;
    *height = h;
    return true;
}

std::string FrameRateRefusal(const std::string& text) {
    return "quorvel8: --fps: expected a rate such as 60 or 60000/1001 (at most 1000), got " +
           QuotedValue(text);
}

std::string FrameSizeRefusal(const std::string& text) {
    return "quorvel8: --size: expected WxH from 16x16 to 8192x8192, got " + QuotedValue(text);
}

bool EvenFrameSize(int width, int height, std::string* line) {
    if (width % 2 == 0 && height % 2 == 0) {
        return true;
    }
    *line = "quorvel8: --size: a capture needs an even width and height, got " +
            std::to_string(width) + "x" + std::to_string(height);
    return false;
}
