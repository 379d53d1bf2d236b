// A warp whose table block cannot be had says so once and draws nothing.
//
// NOTE: the nothrow allocation is replaced for this whole test program; it
// behaves as the standard one unless a test names block sizes to refuse. The
// failures run in a fresh process (a death test re-running the program), as a
// warp takes its block only once per process.
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/LensTable.h"
#include "effects/warp/WobbelEffect.h"
#include "tools/gltrace/FakeHost.h"
#include "tools/gltrace/RecordingGL.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

namespace {

// Nothrow requests of refusedFrom bytes or more, and below refusedBelow, are refused.
std::size_t refusedFrom = SIZE_MAX;
std::size_t refusedBelow = SIZE_MAX;
std::size_t lastRequestedBytes = 0;

} // namespace

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    lastRequestedBytes = bytes;
    if (bytes >= refusedFrom && bytes < refusedBelow) {
        return nullptr;
    }
    try {
        return ::operator new(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

// Runs in the child: exits 0 when no GL call was made over two frames.
void InitAndDrawWithoutATable(CEffect& effect, std::size_t from, std::size_t below) {
    ResetFakeHost();
    refusedFrom = from;
    refusedBelow = below;
    effect.Init(1280, 960);
    effect.Activate();
    ClearRecordedGlCalls();
    effect.RenderFrame(0);
    effect.RenderFrame(9000);
    std::exit(RecordedGlCalls().empty() ? 0 : 1);
}

// The table starts the block just taken, which is at least twice its size.
template <typename Table> void ExpectInABlockTwiceItsSize(Table* table) {
    EXPECT_GE(lastRequestedBytes, 2 * sizeof(Table));
    ::operator delete(table);
}

TEST(WarpTableAllocation, EachTableStartsABlockAtLeastTwiceItsSize) {
    ExpectInABlockTwiceItsSize(AllocateShadedWarpTable("INOOP2"));
    ExpectInABlockTwiceItsSize(AllocateUnshadedWarpTable("WOBBEL"));
    ExpectInABlockTwiceItsSize(AllocateLensTable("INOOP3"));
}

// With nothrow blocks of [from, below) bytes refused, the effect says so in one
// line and makes no GL call (in a child). A block short of twice its table
// escapes the refusal, and the effect then draws.
void ExpectSaysSoOnceAndDrawsNothing(CEffect& effect, const std::string& line, std::size_t from,
                                     std::size_t below = SIZE_MAX) {
    EXPECT_EXIT(InitAndDrawWithoutATable(effect, from, below), ::testing::ExitedWithCode(0),
                "^" + line + " \\([0-9]+ bytes\\); it draws nothing\n$");
}

TEST(WarpTableAllocationDeathTest, AWarpWithoutItsTableSaysSoOnceAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Inoop2Effect inoop2;
    WobbelEffect wobbel;
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
    ExpectSaysSoOnceAndDrawsNothing(inoop2, "INOOP2: cannot allocate its warp table",
                                    2 * sizeof(ShadedWarpTable));
    ExpectSaysSoOnceAndDrawsNothing(wobbel, "WOBBEL: cannot allocate its warp table",
                                    2 * sizeof(UnshadedWarpTable));
    // Only the lens block: the warp table's is larger.
    ExpectSaysSoOnceAndDrawsNothing(inoop3, "INOOP3: cannot allocate its lens table",
                                    2 * sizeof(LensTable), 2 * sizeof(ShadedWarpTable));
    ExpectSaysSoOnceAndDrawsNothing(inoop4, "INOOP4: cannot allocate its warp table",
                                    2 * sizeof(ShadedWarpTable));
}

} // namespace
