// The browser build's matrix stacks, natively, against matrices worked out by
// hand (column-major: the last four entries are the translation column).
#include "platform/web/gl/Matrix4Stack.h"

#include <gtest/gtest.h>

namespace {

// glOrtho(0, 2, 0, 4, -1, 1) scales by (1, 1/2, -1) and moves by (-1, -1, 0).
TEST(Matrix4Stack, EachCallMultipliesTheTopOnTheRightAsGlDoes) {
    Matrix4Stack stack;
    stack.Translate(1, 2, 3);
    stack.Ortho(0, 2, 0, 4, -1, 1);
    // The translation moves what the ortho made: (-1, -1, 0) + (1, 2, 3).
    EXPECT_EQ(stack.Top(), (GlMatrix{1, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -1, 0, 0, 1, 3, 1}));
    stack.LoadIdentity();
    stack.Ortho(0, 2, 0, 4, -1, 1);
    stack.Translate(1, 2, 3);
    // The ortho takes the point (1, 2, 3) to (0, 0, -3).
    EXPECT_EQ(stack.Top(), (GlMatrix{1, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -1, 0, 0, 0, -3, 1}));
}

// GL promises 32 modelview levels; a push past the last or a pop of the last
// is refused and leaves every level as it was.
TEST(Matrix4Stack, HoldsGlsDepthAndRefusesOverflowAndUnderflowWithoutChange) {
    Matrix4Stack stack;
    stack.Translate(0, 5, 0);
    EXPECT_FALSE(stack.Pop());
    int pushes = 0;
    while (pushes < 1000 && stack.Push()) {
        stack.Translate(1, 0, 0);
        ++pushes;
    }
    EXPECT_GE(pushes, 31);
    EXPECT_LT(pushes, 1000);
    for (int level = pushes; level >= 0; --level) {
        const auto x = static_cast<float>(level);
        const GlMatrix expected = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, 5, 0, 1};
        EXPECT_EQ(stack.Top(), expected) << level;
        EXPECT_EQ(stack.Pop(), level > 0) << level;
    }
    EXPECT_EQ(stack.Top(), (GlMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 5, 0, 1}));
}

} // namespace
