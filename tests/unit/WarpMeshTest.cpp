#include "effects/warp/WarpMesh.h"
#include "effects/warp/WarpFrame.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kQuads = 80 * 60;

// Grid positions derived apart from the mesh: the index times the double value
// of the single-precision step, rounded to float.
float GridX(int k) {
    return static_cast<float>(k * 0.012500000186264515);
}
float GridY(int j) {
    return static_cast<float>(j * 0.01666666753590107);
}
const float kDepth = static_cast<float>(-0.45);

// Distinct values per entry, so every corner tells which entry it came from;
// u far outside 0 ... 1 reaches the GL as it is.
std::unique_ptr<ShadedWarpTable> NumberedShadedTable() {
    auto table = std::make_unique<ShadedWarpTable>();
    for (int n = 0; n < kWarpVertexCount; ++n) {
        table->entries[n] = {1000.5f + n, -0.25f * n, n / 8192.0f};
    }
    return table;
}

std::unique_ptr<UnshadedWarpTable> NumberedUnshadedTable() {
    auto table = std::make_unique<UnshadedWarpTable>();
    for (int n = 0; n < kWarpVertexCount; ++n) {
        table->entries[n] = {-3.5f - n, 0.125f * n};
    }
    return table;
}

struct Corner {
    int k;
    int j;
};

// The corners of quad (k, j) counter-clockwise from its bottom-left.
std::vector<Corner> QuadCorners(int k, int j) {
    return {{k, j}, {k + 1, j}, {k + 1, j + 1}, {k, j + 1}};
}

void ExpectVertex(const GlCall& call, Corner c) {
    ASSERT_EQ(call.Name(), "glVertex3f");
    EXPECT_EQ(call.F(0), GridX(c.k)) << c.k << ", " << c.j;
    EXPECT_EQ(call.F(1), GridY(c.j)) << c.k << ", " << c.j;
    EXPECT_EQ(call.F(2), kDepth);
}

// The quads from recorded call `at` on, each alone, row by row from the
// bottom: glBegin, then per corner its grey (shaded tables only), texture
// coordinates and position, then glEnd.
template <typename Entry> void ExpectEveryQuadFrom(std::size_t at, const WarpTable<Entry>& table) {
    const std::vector<GlCall>& calls = RecordedGlCalls();
    for (int j = 0; j < 60; ++j) {
        for (int k = 0; k < 80; ++k) {
            ASSERT_EQ(FormatGlCall(calls[at++]), "glBegin(GL_QUADS)");
            for (Corner c : QuadCorners(k, j)) {
                const Entry& e = table.entries[c.j * 81 + c.k];
                if constexpr (std::is_same_v<Entry, ShadedWarpEntry>) {
                    const GlCall& colour = calls[at++];
                    ASSERT_EQ(colour.Name(), "glColor3f");
                    EXPECT_EQ(colour.F(0), e.brightness);
                    EXPECT_EQ(colour.F(1), e.brightness);
                    EXPECT_EQ(colour.F(2), e.brightness);
                }
                const GlCall& tex = calls[at++];
                ASSERT_EQ(tex.Name(), "glTexCoord2f");
                EXPECT_EQ(tex.F(0), e.u);
                EXPECT_EQ(tex.F(1), e.v);
                ExpectVertex(calls[at++], c);
            }
            ASSERT_EQ(FormatGlCall(calls[at++]), "glEnd()");
        }
    }
}

TEST(WarpMesh, ShadedDrawsEveryQuadAloneWithGreyTextureAndPositionPerCorner) {
    const auto table = NumberedShadedTable();
    ClearRecordedGlCalls();
    DrawWarpMesh(7, *table);
    const std::vector<GlCall>& calls = RecordedGlCalls();
    ASSERT_EQ(calls.size(), 2u + kQuads * (2 + 4 * 3));
    EXPECT_EQ(FormatGlCall(calls[0]), "glEnable(GL_TEXTURE_2D)");
    EXPECT_EQ(FormatGlCall(calls[1]), "glBindTexture(GL_TEXTURE_2D, 7)");
    ExpectEveryQuadFrom(2, *table);
}

TEST(WarpMesh, FirstQuadStartsAtTheBottomLeftAndLastEndsOnVertex79Of60) {
    const auto table = NumberedShadedTable();
    ClearRecordedGlCalls();
    DrawWarpMesh(1, *table);
    const std::vector<std::string> lines = FormatRecordedGlCalls();
    const std::vector<std::string> first(lines.begin() + 2, lines.begin() + 16);
    EXPECT_EQ(first, (std::vector<std::string>{
                         "glBegin(GL_QUADS)",
                         "glColor3f(0, 0, 0)",
                         "glTexCoord2f(1000.5, -0)",
                         "glVertex3f(0, 0, -0.449999988)",
                         "glColor3f(0.000122070312, 0.000122070312, 0.000122070312)",
                         "glTexCoord2f(1001.5, -0.25)",
                         "glVertex3f(0.0125000002, 0, -0.449999988)",
                         "glColor3f(0.0100097656, 0.0100097656, 0.0100097656)",
                         "glTexCoord2f(1082.5, -20.5)",
                         "glVertex3f(0.0125000002, 0.0166666675, -0.449999988)",
                         "glColor3f(0.00988769531, 0.00988769531, 0.00988769531)",
                         "glTexCoord2f(1081.5, -20.25)",
                         "glVertex3f(0, 0.0166666675, -0.449999988)",
                         "glEnd()",
                     }));
    // Quad (79, 59): entries 4858, 4859, 4940, 4939; (80, 60) lands on (1, 1).
    const std::vector<std::string> last(lines.end() - 14, lines.end());
    EXPECT_EQ(last, (std::vector<std::string>{
                        "glBegin(GL_QUADS)",
                        "glColor3f(0.593017578, 0.593017578, 0.593017578)",
                        "glTexCoord2f(5858.5, -1214.5)",
                        "glVertex3f(0.987500012, 0.983333409, -0.449999988)",
                        "glColor3f(0.593139648, 0.593139648, 0.593139648)",
                        "glTexCoord2f(5859.5, -1214.75)",
                        "glVertex3f(1, 0.983333409, -0.449999988)",
                        "glColor3f(0.603027344, 0.603027344, 0.603027344)",
                        "glTexCoord2f(5940.5, -1235)",
                        "glVertex3f(1, 1, -0.449999988)",
                        "glColor3f(0.602905273, 0.602905273, 0.602905273)",
                        "glTexCoord2f(5939.5, -1234.75)",
                        "glVertex3f(0.987500012, 1, -0.449999988)",
                        "glEnd()",
                    }));
}

TEST(WarpMesh, UnshadedSendsNoColourAndTurnsBlendingOff) {
    const auto table = NumberedUnshadedTable();
    ClearRecordedGlCalls();
    DrawWarpMeshUnshaded(3, *table);
    const std::vector<GlCall>& calls = RecordedGlCalls();
    ASSERT_EQ(calls.size(), 3u + kQuads * (2 + 4 * 2));
    EXPECT_EQ(FormatGlCall(calls[0]), "glEnable(GL_TEXTURE_2D)");
    EXPECT_EQ(FormatGlCall(calls[1]), "glDisable(GL_BLEND)");
    EXPECT_EQ(FormatGlCall(calls[2]), "glBindTexture(GL_TEXTURE_2D, 3)");
    ExpectEveryQuadFrom(3, *table);
}

TEST(WarpFrame, SavesFourAttributeGroupsAndLeavesTheModelviewSteppedBack) {
    ClearRecordedGlCalls();
    BeginWarpFrame(WarpBlending::Disable);
    EndWarpFrame();
    ClearRecordedGlCalls();
    BeginWarpFrame(WarpBlending::Keep);
    EndWarpFrame();
    // Kept blending: the ray-cast warps draw with whatever the layers before left.
    EXPECT_EQ(FormatRecordedGlCalls(),
              Joined({WarpFrameOpening(WarpBlending::Keep), WarpFrameClosing()}));
}

} // namespace
