#include "platform/host/gl/DrawingAreaLayout.h"

#include <gtest/gtest.h>

namespace {

void ExpectArea(const Viewport& area, int x, int y, int width, int height) {
    EXPECT_EQ(area.x, x);
    EXPECT_EQ(area.y, y);
    EXPECT_EQ(area.width, width);
    EXPECT_EQ(area.height, height);
}

TEST(DrawingAreaLayoutTest, Keeps4By3CentredWithBarsOrFillsWhenStretched) {
    ExpectArea(LayOutDrawingArea(1920, 1080, false), 240, 0, 1440, 1080);
    ExpectArea(LayOutDrawingArea(1920, 1080, true), 0, 0, 1920, 1080);
    ExpectArea(LayOutDrawingArea(1024, 768, false), 0, 0, 1024, 768);
    // A tall window: bars above and below.
    ExpectArea(LayOutDrawingArea(800, 1000, false), 0, 200, 800, 600);
}

} // namespace
