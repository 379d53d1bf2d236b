// gltrace on the grid warps: whole frames, call by call, at any demo time.
#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kGlTrace = GLTRACE_PROGRAM;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(WarpTraceTest, Inoop2AtFiveMinutesPrintsTheWholeMeshWithUPastAThousand) {
    const ProgramResult run = RunProgram(kGlTrace, {"INOOP2", "300000"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u + 2 + 4800 * 14 + 3);
    EXPECT_EQ(lines[0], "glPushAttrib(0x6108)");
    EXPECT_EQ(lines[12], "glColor3f(0.746495187, 0.746495187, 0.746495187)");
    EXPECT_EQ(lines[13], "glTexCoord2f(1001.26758, -0.837992251)");
    EXPECT_EQ(lines[14], "glVertex3f(0, 0, -0.449999988)");
    EXPECT_EQ(lines.back(), "glPopAttrib()");
}

TEST(WarpTraceTest, WobbelAtANegativeTimePrintsTheUnshadedMesh) {
    const ProgramResult run = RunProgram(kGlTrace, {"WOBBEL", "-1000"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u + 3 + 4800 * 10 + 3);
    EXPECT_EQ(lines[11], "glBindTexture(GL_TEXTURE_2D, 1)");
    EXPECT_EQ(run.out.find("glColor"), std::string::npos);
    EXPECT_EQ(lines.back(), "glPopAttrib()");
}

TEST(WarpTraceTest, RayCastWarpsPrintTheirMeshWithoutTouchingBlending) {
    const ProgramResult planes = RunProgram(kGlTrace, {"INOOP3", "0"});
    ASSERT_EQ(planes.exitStatus, 0) << planes.err;
    const std::vector<std::string> lines = Lines(planes.out);
    ASSERT_EQ(lines.size(), 8u + 2 + 4800 * 14 + 3);
    EXPECT_EQ(planes.out.find("GL_BLEND"), std::string::npos);
    EXPECT_EQ(lines[11], "glColor3f(0.432621002, 0.432621002, 0.432621002)");
    EXPECT_EQ(lines[12], "glTexCoord2f(0.386349052, -3.45966005)");

    const ProgramResult tunnel = RunProgram(kGlTrace, {"INOOP4", "0"});
    ASSERT_EQ(tunnel.exitStatus, 0) << tunnel.err;
    const std::vector<std::string> tunnelLines = Lines(tunnel.out);
    ASSERT_EQ(tunnelLines.size(), lines.size());
    EXPECT_EQ(tunnelLines[11], "glColor3f(0.678232074, 0.678232074, 0.678232074)");
    EXPECT_EQ(tunnelLines[12], "glTexCoord2f(0.217944086, -1.95163524)");
    EXPECT_EQ(tunnelLines.back(), "glPopAttrib()");
}

} // namespace
