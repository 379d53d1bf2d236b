#include "effects/warp/Inoop2Effect.h"
#include "tests/support/EffectTestSupport.h"
#include "tests/support/WarpTableCheck.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

// Corners and an inner vertex at the edges of time, derived apart.
constexpr DerivedVertex<ShadedWarpEntry> kDerived[] = {
    {0, 0, 0, {0.736305058f, -0.991621554f, 0.852738976f}},
    {0, 17, 43, {1.28796124f, -0.227512211f, 0.742407739f}},
    {-1, 80, 60, {1.77276981f, 1.27019575e-06f, 0.644779384f}},
    {29999, 17, 43, {101.836945f, 0.608767092f, 0.631944895f}},
    {29999, 80, 60, {102.113434f, 0.995790422f, 0.576647103f}},
    {INT_MAX, 0, 0, {7158280.0f, -0.404221147f, 0.835052669f}},
    {INT_MAX, 80, 60, {7158282.0f, 0.796838462f, 0.404748619f}},
    {INT_MIN, 0, 0, {-7158278.0f, -0.831563771f, 0.841368973f}},
    {INT_MIN, 17, 43, {-7158278.0f, 0.779713511f, 0.797065139f}},
};

class Inoop2Table : public ::testing::Test {
  protected:
    const ShadedWarpEntry& At(int k, int j) const { return table->entries[j * 81 + k]; }
    std::unique_ptr<ShadedWarpTable> table = std::make_unique<ShadedWarpTable>();
};

TEST(Inoop2Fill, VerticesAtTheEdgesOfTimeMatchTheFieldDerivedApart) {
    ExpectDerivedVertices<ShadedWarpEntry>(kDerived, FillInoop2Table);
}

TEST_F(Inoop2Table, AtTimeZeroCentresTwoAndThreeCoincideAndEveryCentreIsBlack) {
    FillInoop2Table(0, *table);
    EXPECT_NEAR(At(0, 0).u, 0.736305, 1e-6);
    EXPECT_NEAR(At(0, 0).v, -0.991622, 1e-6);
    EXPECT_NEAR(At(0, 0).brightness, 0.852739, 1e-6);
    // On centres 2 and 3: their directions count as 0.
    EXPECT_NEAR(At(80, 30).u, 40.3922, 1e-4);
    EXPECT_FLOAT_EQ(At(80, 30).v, -0.6f);
    EXPECT_EQ(At(80, 30).brightness, 0.0f);
    EXPECT_NEAR(At(40, 60).u, 20.7843, 1e-4);
    EXPECT_FLOAT_EQ(At(40, 60).v, -0.96f);
    EXPECT_EQ(At(40, 60).brightness, 0.0f);
    EXPECT_FLOAT_EQ(At(40, 30).v, -1.0f);
    EXPECT_NEAR(At(40, 30).u, 1.62077, 1e-5);
    EXPECT_NEAR(At(40, 30).brightness, 0.675846, 1e-6);
    // Within 3 grid units of a centre the picture is black.
    for (int j = 57; j <= 60; ++j) {
        for (int k = 37; k <= 43; ++k) {
            if ((k - 40) * (k - 40) + (j - 60) * (j - 60) <= 9) {
                EXPECT_EQ(At(k, j).brightness, 0.0f) << k << ", " << j;
            }
        }
    }
}

TEST_F(Inoop2Table, UDriftsOnWithTimeWithoutLimit) {
    FillInoop2Table(1000, *table);
    EXPECT_NEAR(At(0, 0).u, 4.06915, 1e-5);
    FillInoop2Table(300000, *table);
    for (const ShadedWarpEntry& entry : table->entries) {
        ASSERT_GT(entry.u, 1000.0f);
    }
}

TEST_F(Inoop2Table, BrightnessIsNeverFullAndNeverNegative) {
    for (int timeMs = -400000; timeMs <= 400000; timeMs += 2503) {
        FillInoop2Table(timeMs, *table);
        for (const ShadedWarpEntry& entry : table->entries) {
            ASSERT_LT(entry.brightness, 1.0f) << timeMs;
            ASSERT_GE(entry.brightness, 0.0f) << timeMs;
            ASSERT_GE(entry.v, -1.0f) << timeMs;
            ASSERT_LE(entry.v, 1.0f) << timeMs;
        }
    }
}

using Inoop2EffectTest = InitialisedEffectTest<Inoop2Effect>;

// Activation is the grid warps' shared base: checked here for WOBBEL too.
TEST_F(Inoop2EffectTest, LoadsItsPictureOpaqueAndPassesItToTheHostOnActivation) {
    ExpectPictureLoadedAndPassedOnActivation(
        effect, "pakje.jpg, 1, 10497, 10497, 9729, 9729, 0, 0, 0, 1, -> 1");
}

TEST_F(Inoop2EffectTest, FrameIsTheOpaqueWarpFrameAroundTheShadedMeshOfThatTime) {
    const std::vector<std::string> lines = FrameCalls(effect, 0);
    ASSERT_EQ(lines.size(), 9u + 2 + 4800 * 14 + 3);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 13);
    EXPECT_EQ(head,
              Joined({WarpFrameOpening(WarpBlending::Disable),
                      {"glEnable(GL_TEXTURE_2D)", "glBindTexture(GL_TEXTURE_2D, 1)",
                       "glBegin(GL_QUADS)", "glColor3f(0.852738976, 0.852738976, 0.852738976)"}}));
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, Joined({{"glEnd()"}, WarpFrameClosing()}));

    // The last corner drawn is vertex (79, 60) at the frame's own time.
    RecordFrame(effect, -5432);
    const std::vector<GlCall>& calls = RecordedGlCalls();
    const GlCall& colour = calls[calls.size() - 7];
    const GlCall& tex = calls[calls.size() - 6];
    ShadedWarpTable table;
    FillInoop2Table(-5432, table);
    const ShadedWarpEntry& expected = table.At(79, 60);
    EXPECT_EQ(colour.F(0), expected.brightness);
    EXPECT_EQ(tex.F(0), expected.u);
    EXPECT_EQ(tex.F(1), expected.v);
}

} // namespace
