// Loaded into the program only under valgrind (scripts/valgrind-show.sh).
// Debian's libhwy, which FFmpeg's JPEG XL codec brings in, measures its
// timer with RDTSCP while it loads; valgrind cannot run that instruction on
// a processor that does not announce it, and stops the program before main.
// This stands in for that one measurement; nothing of the show uses it.
#include <cstdint>

namespace hwy::platform {
std::uint64_t TimerResolution() {
    return 1;
}
} // namespace hwy::platform
