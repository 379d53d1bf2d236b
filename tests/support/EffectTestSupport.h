// What the effect unit tests share: a fresh fake host with the effect
// initialised, one frame taken from the recording GL, the picture's round trip
// through the fake host, and the calls the shared drawing frames record, so a
// test spells out only what its own effect adds.
#pragma once

#include "effects/warp/WarpFrame.h"
#include "host/DemoGL.h"
#include "tools/gltrace/FakeHost.h"
#include "tools/gltrace/GlCallFormat.h"
#include "tools/gltrace/RecordingGL.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using GlLines = std::vector<std::string>;

// A fresh fake host and the effect initialised for a 1280 x 960 frame.
template <typename Effect> class InitialisedEffectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetFakeHost();
        effect.Init(1280, 960);
    }
    Effect effect;
};

// Clears the recording GL and renders one frame at timeMs.
inline void RecordFrame(CEffect& effect, int timeMs) {
    ClearRecordedGlCalls();
    effect.RenderFrame(timeMs);
}

// One frame at timeMs, its calls as gltrace prints them.
inline GlLines FrameCalls(CEffect& effect, int timeMs) {
    RecordFrame(effect, timeMs);
    return FormatRecordedGlCalls();
}

// Init loaded just this picture (the fake host's LoadTexture line), and one
// Activate / Deactivate round passes its name 1 to the host and takes it back.
inline void ExpectPictureLoadedAndPassedOnActivation(CEffect& effect,
                                                     const std::string& loadTexture) {
    EXPECT_EQ(FakeHostCalls("LoadTexture"), std::vector<std::string>{loadTexture});
    effect.Activate();
    effect.Deactivate();
    EXPECT_EQ(FakeHostCalls("UploadTexture"), std::vector<std::string>{"1"});
    EXPECT_EQ(FakeHostCalls("UnUploadTexture"), std::vector<std::string>{"1"});
}

// The parts one after another.
inline GlLines Joined(std::initializer_list<GlLines> parts) {
    GlLines lines;
    for (const GlLines& part : parts) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

// What PushUnitSquareProjection records.
inline GlLines UnitSquareProjectionCalls() {
    return {"glMatrixMode(GL_PROJECTION)", "glPushMatrix()", "glLoadIdentity()",
            "glOrtho(0, 1, 0, 1, -1, 1)"};
}

// What BeginUnitSquareLayer(kPictureLayerAttribs) and EndUnitSquareLayer record.
inline GlLines PictureLayerOpening() {
    return Joined({{"glPushAttrib(0x46001)"}, UnitSquareProjectionCalls()});
}
inline GlLines UnitSquareLayerClosing() {
    return {"glPopMatrix()", "glPopAttrib()"};
}

// The modelview replaced by a plain step back along z.
inline GlLines SteppedBackModelviewCalls() {
    return {"glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()", "glTranslatef(0, 0, -0.100000001)"};
}

// What BeginWarpFrame and EndWarpFrame record.
inline GlLines WarpFrameOpening(WarpBlending blending) {
    GlLines lines = {"glPushAttrib(0x6108)"};
    if (blending == WarpBlending::Disable) {
        lines.push_back("glDisable(GL_BLEND)");
    }
    return Joined({lines, UnitSquareProjectionCalls(), SteppedBackModelviewCalls()});
}
inline GlLines WarpFrameClosing() {
    return Joined({{"glMatrixMode(GL_PROJECTION)"}, UnitSquareLayerClosing()});
}
