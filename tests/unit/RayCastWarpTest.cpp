// "INOOP3" and "INOOP4". Exact entries come from a separate derivation of the
// ray cast in Python (double precision, float32 rounding where values are
// stored), written from the description of the effects; rounded values from
// the description itself.
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/TrigTables.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Entry(const ShadedWarpEntry& e) {
    char text[96];
    std::snprintf(text, sizeof text, "%.9g %.9g %.9g", e.u, e.v, e.brightness);
    return text;
}

class RayCastTable : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTrigTables();
        FillLensTable(*lens);
    }

    const ShadedWarpEntry& Planes(int timeMs, int k, int j) {
        FillRayCastTable(timeMs, RayCastSurfaces::Planes, *lens, *planes);
        return planes->At(k, j);
    }
    const ShadedWarpEntry& Tunnel(int timeMs, int k, int j) {
        FillRayCastTable(timeMs, RayCastSurfaces::Tunnel, *lens, *tunnel);
        return tunnel->At(k, j);
    }

    std::unique_ptr<LensTable> lens = std::make_unique<LensTable>();
    std::unique_ptr<ShadedWarpTable> planes = std::make_unique<ShadedWarpTable>();
    std::unique_ptr<ShadedWarpTable> tunnel = std::make_unique<ShadedWarpTable>();
};

TEST_F(RayCastTable, LensIsHalfTheDistanceFromTheCentreRowByRow) {
    auto at = [&](int k, int j) { return lens->entries[j * 81 + k]; };
    EXPECT_EQ(at(40, 30), 0.0f);
    EXPECT_EQ(at(0, 0), 100.0f);
    EXPECT_EQ(at(80, 60), 100.0f);
    EXPECT_EQ(at(80, 30), 80.0f);
    EXPECT_EQ(at(40, 60), 60.0f);
    EXPECT_EQ(at(43, 34), 10.0f);
    EXPECT_EQ(at(41, 31), static_cast<float>(std::sqrt(2.0) * 2));
}

TEST_F(RayCastTable, RotationIndicesTruncateTowardZero) {
    auto indices = [](int timeMs) {
        const ViewRotationIndices i = ViewRotationIndicesAt(timeMs);
        return std::vector<int>{i.z, i.x, i.y};
    };
    EXPECT_EQ(indices(0), (std::vector<int>{192, 256, 0}));
    EXPECT_EQ(indices(1000), (std::vector<int>{129, 333, 1}));
    EXPECT_EQ(indices(30000), (std::vector<int>{190, 243, 33}));
    // 192 cos is -5.13 here: -5, not -6.
    EXPECT_EQ(indices(1917), (std::vector<int>{-5, 393, 2}));
    // t / 900 ms is -1.11 and -4.19: -1 and -4, not -2 and -5.
    EXPECT_EQ(indices(-1000), (std::vector<int>{129, 178, -1}));
    EXPECT_EQ(indices(-3771), (std::vector<int>{-191, 64, -4}));
}

TEST_F(RayCastTable, CentreVertexAtTimeZeroLooksStraightDownAtTheNearPlane) {
    // Ray (0, 0, 128) turned to almost exactly (0, -1, 0): distance 2000, and
    // in the tunnel dx is +0, so the x planes lie at +infinity.
    for (const ShadedWarpEntry& e : {Planes(0, 40, 30), Tunnel(0, 40, 30)}) {
        EXPECT_EQ(e.u, -0.5f);
        EXPECT_NEAR(e.v, 0.00000066, 1e-8);
        EXPECT_EQ(e.brightness, 235.0f / 256);
        EXPECT_EQ(Entry(e), "-0.5 6.63397429e-07 0.91796875");
    }
}

TEST_F(RayCastTable, LowerLeftVertexAtTimeZeroMeetsTheTunnelWallNearer) {
    const ShadedWarpEntry& p = Planes(0, 0, 0);
    EXPECT_NEAR(p.u, 0.38635, 1e-5);
    EXPECT_NEAR(p.v, -3.45966, 1e-5);
    EXPECT_NEAR(p.brightness, 0.43262, 1e-5);
    EXPECT_EQ(Entry(p), "0.386349052 -3.45966005 0.432621002");
    const ShadedWarpEntry& t = Tunnel(0, 0, 0);
    EXPECT_NEAR(t.u, 0.21794, 1e-5);
    EXPECT_NEAR(t.v, -1.95164, 1e-5);
    EXPECT_NEAR(t.brightness, 0.67823, 1e-5);
    EXPECT_EQ(Entry(t), "0.217944086 -1.95163524 0.678232074");
}

TEST_F(RayCastTable, EntriesMatchTheSeparateDerivationToTheLastBit) {
    struct Case {
        int timeMs, k, j;
        const char* planes;
        const char* tunnel;
    };
    const Case cases[] = {
        {0, 80, 60, "-1.38636529 3.4597249 0.432610691", "-0.782050729 1.95163608 0.678232074"},
        {1000, 0, 0, "0.301462799 1.40605724 0.754281223", "0.301462799 1.40605724 0.754281223"},
        {30000, 13, 47, "-1.140818 85.0915451 0.836103499", "-0.890126348 85.2283936 0.871260941"},
        {-5432, 79, 60, "2.38107419 -14.8076468 0.672241807",
         "0.632902801 -15.3306522 0.910012126"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Entry(Planes(c.timeMs, c.k, c.j)), c.planes) << c.timeMs;
        EXPECT_EQ(Entry(Tunnel(c.timeMs, c.k, c.j)), c.tunnel) << c.timeMs;
    }
}

TEST_F(RayCastTable, TunnelIsThePlanesWhereTheyComeFirstAndNeverDarkerElsewhere) {
    for (int timeMs : {0, 1917, 27000, 45000, 108000, 126000, -3771, 2000000}) {
        FillRayCastTable(timeMs, RayCastSurfaces::Planes, *lens, *planes);
        FillRayCastTable(timeMs, RayCastSurfaces::Tunnel, *lens, *tunnel);
        int same = 0;
        int nearer = 0;
        for (int n = 0; n < kWarpVertexCount; ++n) {
            const ShadedWarpEntry& p = planes->entries[n];
            const ShadedWarpEntry& t = tunnel->entries[n];
            if (p.u == t.u && p.v == t.v && p.brightness == t.brightness) {
                ++same;
            } else {
                ++nearer;
                ASSERT_GE(t.brightness, p.brightness) << timeMs << ", entry " << n;
            }
        }
        EXPECT_GT(same, 0) << timeMs;
        EXPECT_GT(nearer, 0) << timeMs;
    }
}

TEST_F(RayCastTable, PictureStreamsAlongVOneRepeatPer350Ms) {
    // 63966 and 64211 ms turn the view alike (indices -191, 447, 71): only v
    // moves, by 245 / 350 of a repeat.
    FillRayCastTable(63966, RayCastSurfaces::Tunnel, *lens, *planes);
    FillRayCastTable(64211, RayCastSurfaces::Tunnel, *lens, *tunnel);
    for (int n = 0; n < kWarpVertexCount; ++n) {
        const ShadedWarpEntry& a = planes->entries[n];
        const ShadedWarpEntry& b = tunnel->entries[n];
        ASSERT_EQ(a.u, b.u) << n;
        ASSERT_EQ(a.brightness, b.brightness) << n;
        ASSERT_NEAR(b.v - a.v, 0.7, 4e-5) << n;
    }
    EXPECT_EQ(Entry(tunnel->At(0, 0)), "-0.819934487 183.272675 0.89883554");
}

TEST(RayCastRay, DarkensWithDistanceToBlackFrom25500) {
    auto along = [](double dy) { return Vector3{0, dy, std::sqrt(1 - dy * dy)}; };
    EXPECT_EQ(CastRay(along(1), RayCastSurfaces::Planes, 0).brightness, 235.0f / 256);
    EXPECT_NEAR(CastRay(along(0.08), RayCastSurfaces::Planes, 0).brightness, 5.0 / 256, 1e-6);
    EXPECT_EQ(CastRay(along(2000.0 / 25500), RayCastSurfaces::Planes, 0).brightness, 0.0f);
    EXPECT_EQ(CastRay(along(-0.01), RayCastSurfaces::Tunnel, 0).brightness, 0.0f);
}

TEST(RayCastRay, ARayParallelToEverySurfaceItCouldMeetIsBlackAtFiniteCoordinates) {
    const struct {
        Vector3 direction;
        RayCastSurfaces surfaces;
    } rays[] = {
        {{1, 0, 0}, RayCastSurfaces::Planes},
        {{0, 0, 1}, RayCastSurfaces::Planes},
        {{0.6, -0.0, -0.8}, RayCastSurfaces::Planes},
        {{0, 0, -1}, RayCastSurfaces::Tunnel},
        {{-0.0, 0, 1}, RayCastSurfaces::Tunnel},
        // Meets the planes, but beyond the range of a float.
        {{0, 1e-40, 1}, RayCastSurfaces::Tunnel},
    };
    for (const auto& ray : rays) {
        const ShadedWarpEntry e = CastRay(ray.direction, ray.surfaces, 2.5);
        EXPECT_TRUE(std::isfinite(e.u)) << Entry(e);
        EXPECT_EQ(e.v, 2.5f) << Entry(e);
        EXPECT_EQ(e.brightness, 0.0f) << Entry(e);
    }
}

TEST(RayCastRay, ANegativeZeroAcrossThePlanesStillLetsTheTunnelWallWin) {
    // |dy| is 0, so the y planes are infinitely far whatever the zero's sign.
    const ShadedWarpEntry e = CastRay({0.6, -0.0, 0.8}, RayCastSurfaces::Tunnel, 0);
    EXPECT_NEAR(e.u, 0.5, 1e-6);
    EXPECT_NEAR(e.v, 2000 / 0.6 * 0.8 * 0.00025, 1e-5);
    EXPECT_NEAR(e.brightness, (255 - 2000 / 0.6 * 0.01) / 256, 1e-6);
}

class RayCastEffectTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFakeHost(); }
};

TEST_F(RayCastEffectTest, EachLoadsItsOwnPictureOpaqueAndPassesItToTheHostOnActivation) {
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
    inoop3.Init(1280, 960);
    inoop4.Init(1280, 960);
    EXPECT_EQ(
        FakeHostCalls("LoadTexture"),
        (std::vector<std::string>{"boek.jpg, 1, 10497, 10497, 9729, 9729, 0, 0, 0, 1, -> 1",
                                  "Dralm.jpg, 1, 10497, 10497, 9729, 9729, 0, 0, 0, 1, -> 2"}));
    inoop4.Activate();
    inoop4.Deactivate();
    inoop3.Activate();
    EXPECT_EQ(FakeHostCalls("UploadTexture"), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(FakeHostCalls("UnUploadTexture"), std::vector<std::string>{"2"});
}

TEST_F(RayCastEffectTest, FrameIsTheWarpFrameKeepingBlendingAroundTheShadedMeshOfThatTime) {
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
    inoop3.Init(1280, 960);
    inoop4.Init(1280, 960);
    const std::vector<std::string> lines = FrameCalls(inoop3, 0);
    ASSERT_EQ(lines.size(), 8u + 2 + 4800 * 14 + 3);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 14);
    EXPECT_EQ(
        head,
        Joined({WarpFrameOpening(WarpBlending::Keep),
                {"glEnable(GL_TEXTURE_2D)", "glBindTexture(GL_TEXTURE_2D, 1)", "glBegin(GL_QUADS)",
                 "glColor3f(0.432621002, 0.432621002, 0.432621002)",
                 "glTexCoord2f(0.386349052, -3.45966005)", "glVertex3f(0, 0, -0.449999988)"}}));
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, Joined({{"glEnd()"}, WarpFrameClosing()}));

    // The last corner drawn is vertex (79, 60) at the frame's own time.
    const std::vector<std::string> tunnel = FrameCalls(inoop4, -5432);
    EXPECT_EQ(tunnel[9], "glBindTexture(GL_TEXTURE_2D, 2)");
    EXPECT_EQ(tunnel[tunnel.size() - 7], "glColor3f(0.910012126, 0.910012126, 0.910012126)");
    EXPECT_EQ(tunnel[tunnel.size() - 6], "glTexCoord2f(0.632902801, -15.3306522)");
}

} // namespace
