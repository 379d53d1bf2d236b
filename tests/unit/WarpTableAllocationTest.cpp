// A warp whose table block cannot be had says so once and draws nothing.
//
// NOTE: the nothrow allocation is replaced for this whole test program; it
// behaves as the standard one unless a test names a block size to refuse. The
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

#include <cstdlib>
#include <new>

namespace {

std::size_t refusedBytes = 0;
std::size_t lastRequestedBytes = 0;

} // namespace

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    lastRequestedBytes = bytes;
    if (bytes == refusedBytes) {
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
void InitAndDrawWithoutATable(CEffect& effect, std::size_t blockBytes) {
    ResetFakeHost();
    refusedBytes = blockBytes;
    effect.Init(1280, 960);
    effect.Activate();
    ClearRecordedGlCalls();
    effect.RenderFrame(0);
    effect.RenderFrame(9000);
    std::exit(RecordedGlCalls().empty() ? 0 : 1);
}

TEST(WarpTableAllocation, TakesABlockTwiceTheSizeOfEachTable) {
    ShadedWarpTable* shaded = AllocateShadedWarpTable("INOOP2");
    EXPECT_EQ(lastRequestedBytes, 118584u);
    UnshadedWarpTable* unshaded = AllocateUnshadedWarpTable("WOBBEL");
    EXPECT_EQ(lastRequestedBytes, 79056u);
    LensTable* lens = AllocateLensTable("INOOP3");
    EXPECT_EQ(lastRequestedBytes, 39528u);
    ::operator delete(shaded);
    ::operator delete(unshaded);
    ::operator delete(lens);
}

TEST(WarpTableAllocationDeathTest, Inoop2WithoutItsTableSaysSoOnceAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Inoop2Effect effect;
    EXPECT_EXIT(InitAndDrawWithoutATable(effect, 118584), ::testing::ExitedWithCode(0),
                "^INOOP2: cannot allocate its warp table \\(118584 bytes\\); it draws nothing\n$");
}

TEST(WarpTableAllocationDeathTest, WobbelWithoutItsTableSaysSoOnceAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    WobbelEffect effect;
    EXPECT_EXIT(InitAndDrawWithoutATable(effect, 79056), ::testing::ExitedWithCode(0),
                "^WOBBEL: cannot allocate its warp table \\(79056 bytes\\); it draws nothing\n$");
}

TEST(WarpTableAllocationDeathTest, Inoop3WithoutItsLensTableSaysSoOnceAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Inoop3Effect effect;
    EXPECT_EXIT(InitAndDrawWithoutATable(effect, 39528), ::testing::ExitedWithCode(0),
                "^INOOP3: cannot allocate its lens table \\(39528 bytes\\); it draws nothing\n$");
}

TEST(WarpTableAllocationDeathTest, Inoop4WithoutItsWarpTableSaysSoOnceAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Inoop4Effect effect;
    EXPECT_EXIT(InitAndDrawWithoutATable(effect, 118584), ::testing::ExitedWithCode(0),
                "^INOOP4: cannot allocate its warp table \\(118584 bytes\\); it draws nothing\n$");
}

} // namespace
