// The libFuzzer entry of one fuzz program; QUORVEL_FUZZ_TARGET names which of
// the functions in FuzzTargets.h it drives.
#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QUORVEL_FUZZ_TARGET(data, size);
    return 0;
}
