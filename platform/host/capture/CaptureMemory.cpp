#include "platform/host/capture/CaptureMemory.h"

#include "platform/host/capture/CapturePipeline.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

// Measured on captures from 1280x960 to 1920x1080 at --supersample 1 to 4:
// each rendered pixel takes 4 bytes of colour and 4 of depth on the surface
// and 3 in each read-back slot; each output pixel about 75 bytes in x264's
// frames in flight.
constexpr std::int64_t kSurfaceBytesPerPixel = 8;
constexpr std::int64_t kEncoderBytesPerPixel = 75;

// What a showing holds besides its frames: Mesa and its code generator, the
// pictures, libraries, threads. Resident about 120 MB; mapped (address space)
// about 800 MB at 1280x960 on two cores.
constexpr std::int64_t kShowResidentBytes = std::int64_t{128} << 20;
constexpr std::int64_t kShowAddressSpaceBytes = std::int64_t{800} << 20;

std::string Amount(std::int64_t bytes) {
    char text[32];
    if (bytes >= 1000000000) {
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
    } else {
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / 1e6);
    }
    return text;
}

// A "Key:   1234 kB" line of a /proc file, in bytes; -1 when missing.
std::int64_t ProcKilobytes(const char* file, const std::string& key) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + ":", 0) == 0) {
            std::istringstream value(line.substr(key.size() + 1));
            std::int64_t kilobytes = -1;
            value >> kilobytes;
            return kilobytes < 0 ? -1 : kilobytes * 1024;
        }
    }
    return -1;
}

} // namespace

std::int64_t CaptureFrameBytes(const CaptureSettings& settings) {
    const std::int64_t outputPixels = std::int64_t{settings.width} * settings.height;
    const std::int64_t renderedPixels = outputPixels * settings.supersample * settings.supersample;
    return renderedPixels * (kSurfaceBytesPerPixel + CapturePipeline::kSlots * 3) +
           outputPixels * kEncoderBytesPerPixel;
}

std::string CaptureMemoryNeed(const CaptureSettings& settings) {
    return "a " + std::to_string(settings.width) + "x" + std::to_string(settings.height) +
           " capture at --supersample " + std::to_string(settings.supersample) + " needs about " +
           Amount(CaptureFrameBytes(settings)) + " for its frames";
}

std::string CaptureMemoryShortfall(const CaptureSettings& settings) {
    const std::int64_t frames = CaptureFrameBytes(settings);
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        const auto ceiling = static_cast<std::int64_t>(
            std::min<rlim_t>(limit.rlim_cur, std::numeric_limits<std::int64_t>::max()));
        const std::int64_t left =
            ceiling - std::max<std::int64_t>(ProcKilobytes("/proc/self/status", "VmSize"), 0) -
            kShowAddressSpaceBytes;
        if (frames > left) {
            return CaptureMemoryNeed(settings) + "; the address-space limit (RLIMIT_AS) leaves " +
                   Amount(std::max<std::int64_t>(left, 0)) + " for them";
        }
    }
    const std::int64_t available = ProcKilobytes("/proc/meminfo", "MemAvailable");
    if (available >= 0 && frames > available - kShowResidentBytes) {
        return CaptureMemoryNeed(settings) + "; the memory available (MemAvailable) leaves " +
               Amount(std::max<std::int64_t>(available - kShowResidentBytes, 0)) + " for them";
    }
    return "";
}
