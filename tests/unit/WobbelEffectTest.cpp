#include "effects/warp/WobbelEffect.h"
#include "tests/support/EffectTestSupport.h"
#include "tests/support/WarpTableCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

// Corners and an inner vertex at the edges of time, derived apart.
constexpr DerivedVertex<UnshadedWarpEntry> kDerived[] = {
    {0, 0, 0, {1.3792752f, 1.59699714f}},           {0, 17, 43, {0.533607543f, 1.33921993f}},
    {-1, 80, 60, {0.926706254f, 0.714847505f}},     {29999, 17, 43, {0.591178954f, 0.440633863f}},
    {29999, 80, 60, {0.952281833f, 1.67782342f}},   {INT_MAX, 0, 0, {1.18525589f, 1.57928514f}},
    {INT_MAX, 80, 60, {1.35057914f, 0.398051709f}}, {INT_MIN, 0, 0, {1.94304538f, 1.40910053f}},
    {INT_MIN, 17, 43, {1.1568259f, 0.9162848f}},
};

class WobbelTable : public ::testing::Test {
  protected:
    const UnshadedWarpEntry& At(int k, int j) const { return table->entries[j * 81 + k]; }
    std::unique_ptr<UnshadedWarpTable> table = std::make_unique<UnshadedWarpTable>();
};

TEST(WobbelFill, VerticesAtTheEdgesOfTimeMatchTheRingsDerivedApart) {
    ExpectDerivedVertices<UnshadedWarpEntry>(kDerived, FillWobbelTable);
}

TEST_F(WobbelTable, SamplesTheWobbledPointAgainstBothCentres) {
    FillWobbelTable(0, *table);
    // (0, 0) samples (6, 0); (40, 60) samples about (46.0, 54.8039).
    EXPECT_NEAR(At(0, 0).u, 1.37928, 1e-5);
    EXPECT_NEAR(At(0, 0).v, 1.59700, 1e-5);
    EXPECT_NEAR(At(40, 60).u, 0.158745, 1e-6);
    EXPECT_NEAR(At(40, 60).v, 0.841720, 1e-6);
    // Outside the grid at one second, about (-5.63816, -2.05211).
    FillWobbelTable(1000, *table);
    EXPECT_NEAR(At(0, 0).u, 1.79222, 1e-5);
    EXPECT_NEAR(At(0, 0).v, 1.66985, 1e-5);
}

TEST_F(WobbelTable, DistancesStayWithinTheGridAndItsWobbleAtAnyTime) {
    float largest = 0;
    for (int timeMs = -400000; timeMs <= 400000; timeMs += 1777) {
        FillWobbelTable(timeMs, *table);
        for (const UnshadedWarpEntry& entry : table->entries) {
            ASSERT_GE(entry.u, 0.0f) << timeMs;
            ASSERT_GE(entry.v, 0.0f) << timeMs;
            largest = std::max({largest, entry.u, entry.v});
        }
    }
    EXPECT_LT(largest, 2.2f);
    EXPECT_GT(largest, 1.9f);
}

using WobbelEffectTest = InitialisedEffectTest<WobbelEffect>;

TEST_F(WobbelEffectTest, LoadsItsPictureOpaque) {
    EXPECT_EQ(FakeHostCalls("LoadTexture"),
              std::vector<std::string>{"Snoep.jpg, 1, 10497, 10497, 9729, 9729, 0, 0, 0, 1, -> 1"});
}

TEST_F(WobbelEffectTest, FrameIsTheOpaqueWarpFrameAroundTheUnshadedMeshWithNoColour) {
    const std::vector<std::string> lines = FrameCalls(effect, 0);
    ASSERT_EQ(lines.size(), 9u + 3 + 4800 * 10 + 3);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 15);
    EXPECT_EQ(head,
              Joined({WarpFrameOpening(WarpBlending::Disable),
                      {"glEnable(GL_TEXTURE_2D)", "glDisable(GL_BLEND)",
                       "glBindTexture(GL_TEXTURE_2D, 1)", "glBegin(GL_QUADS)",
                       "glTexCoord2f(1.3792752, 1.59699714)", "glVertex3f(0, 0, -0.449999988)"}}));
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, Joined({{"glEnd()"}, WarpFrameClosing()}));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("glColor", 0) == 0; }),
              0);
}

} // namespace
