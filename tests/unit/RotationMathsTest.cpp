// The trig tables, matrix and vector the ray-cast warps turn their rays with.
// Expected values are the tables' defining formulas evaluated apart (Python,
// double precision) and hand-worked products.
#include "effects/warp/Matrix4.h"
#include "effects/warp/TrigTables.h"
#include "effects/warp/Vector3.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>

namespace {

std::array<double, 16> Elements(const Matrix4& matrix) {
    std::array<double, 16> elements{};
    for (int n = 0; n < 16; ++n) {
        elements[n] = matrix.m[n];
    }
    return elements;
}

const std::array<double, 16> kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class RotationMaths : public ::testing::Test {
  protected:
    void SetUp() override { FillTrigTables(); }

    static Matrix4 RotationZ(int index) {
        Matrix4 matrix;
        matrix.SetRotationZ(index);
        return matrix;
    }

    static Vector3 Turned(Vector3 v, const Matrix4& matrix) {
        v.Transform(matrix);
        return v;
    }
};

TEST_F(RotationMaths, TablesStepBy6Point28318Over1024NotByTwoPi) {
    EXPECT_EQ(SineTable[0], 0.0);
    EXPECT_EQ(CosineTable[0], 1.0);
    EXPECT_EQ(CosineTable[256], 1.3267948966775328e-06);
    EXPECT_EQ(SineTable[512], 2.65358979335273e-06);
    EXPECT_EQ(CosineTable[1023], 0.99998114273610506);
    EXPECT_EQ(SineTable[1023], -0.0061411865460541106);
}

TEST_F(RotationMaths, EveryIndexIsMaskedToItsLowTenBits) {
    Matrix4 identity;
    identity.SetIdentity();
    EXPECT_EQ(Elements(identity), kIdentity);
    for (int index : {0, 1024, INT_MIN}) {
        Matrix4 x;
        Matrix4 y;
        x.SetRotationX(index);
        y.SetRotationY(index);
        EXPECT_EQ(Elements(RotationZ(index)), kIdentity) << index;
        EXPECT_EQ(Elements(x), kIdentity) << index;
        EXPECT_EQ(Elements(y), kIdentity) << index;
    }
    EXPECT_EQ(Elements(RotationZ(-192)), Elements(RotationZ(832)));
    EXPECT_EQ(Elements(RotationZ(-5)), Elements(RotationZ(1019)));
    EXPECT_EQ(Elements(RotationZ(INT_MAX)), Elements(RotationZ(1023)));
    EXPECT_EQ(Elements(RotationZ(1023 + 1024 * 5000)), Elements(RotationZ(1023)));

    const Matrix4 back = RotationZ(-1);
    EXPECT_NEAR(back.m[0], 0.999981142736105, 1e-15);
    EXPECT_NEAR(back.m[5], 0.999981142736105, 1e-15);
    EXPECT_NEAR(back.m[1], -0.006141186546054111, 1e-17);
    EXPECT_NEAR(back.m[4], 0.006141186546054111, 1e-17);
}

TEST_F(RotationMaths, ZTurnsXTowardYXTurnsYTowardZAndYTurnsXTowardZ) {
    const Vector3 xy = Turned({1, 0, 0}, RotationZ(256));
    EXPECT_EQ(xy.x, 1.3267948966775328e-06);
    EXPECT_EQ(xy.y, 0.99999999999911982);
    EXPECT_EQ(xy.z, 0.0);

    Matrix4 nod;
    nod.SetRotationX(256);
    const Vector3 yz = Turned({0, 0, 1}, nod);
    EXPECT_EQ(yz.x, 0.0);
    EXPECT_EQ(yz.y, -0.99999999999911982);
    EXPECT_EQ(yz.z, 1.3267948966775328e-06);

    // The inverse of the right-handed turn about y: x goes to +z.
    Matrix4 step;
    step.SetRotationY(256);
    const Vector3 xz = Turned({1, 0, 0}, step);
    EXPECT_EQ(xz.x, 1.3267948966775328e-06);
    EXPECT_EQ(xz.y, 0.0);
    EXPECT_EQ(xz.z, 0.99999999999911982);
    EXPECT_EQ(step.m[2], SineTable[256]);
    EXPECT_EQ(step.m[8], -SineTable[256]);
}

TEST_F(RotationMaths, ProductAppliesTheRightOperandsTurnAfterTheLeftOnes) {
    // x to y by the z turn, then y to z by the x turn: x ends on z. The other
    // order would leave it on y.
    Matrix4 view;
    view.SetIdentity();
    view.Multiply(RotationZ(256));
    Matrix4 nod;
    nod.SetRotationX(256);
    view.Multiply(nod);
    const Vector3 v = Turned({1, 0, 0}, view);
    EXPECT_NEAR(v.x, 0, 1e-5);
    EXPECT_NEAR(v.y, 0, 1e-5);
    EXPECT_NEAR(v.z, 1, 1e-11);

    Matrix4 identity;
    identity.SetIdentity();
    Matrix4 turned = RotationZ(77);
    turned.Multiply(identity);
    EXPECT_EQ(Elements(turned), Elements(RotationZ(77)));
}

TEST_F(RotationMaths, AMatrixTimesItselfIsItsSquare) {
    Matrix4 matrix;
    for (int n = 0; n < 16; ++n) {
        matrix.m[n] = n + 1;
    }
    matrix.Multiply(matrix);
    EXPECT_EQ(Elements(matrix), (std::array<double, 16>{90, 100, 110, 120, 202, 228, 254, 280, 314,
                                                        356, 398, 440, 426, 484, 542, 600}));
}

TEST_F(RotationMaths, TransformTranslatesByRowThreeAndNeverReadsColumnThree) {
    Matrix4 matrix;
    matrix.SetIdentity();
    matrix.m[12] = 10;
    matrix.m[13] = 20;
    matrix.m[14] = 30;
    matrix.m[15] = 99;
    matrix.m[3] = 5;
    matrix.m[7] = -7;
    matrix.m[11] = 3;
    const Vector3 v = Turned({1, 2, 3}, matrix);
    EXPECT_EQ(v.x, 11);
    EXPECT_EQ(v.y, 22);
    EXPECT_EQ(v.z, 33);
    // Each output from the unchanged input, not from outputs already written.
    Matrix4 swap;
    swap.SetIdentity();
    swap.m[0] = 0;
    swap.m[5] = 0;
    swap.m[1] = 1;
    swap.m[4] = 1;
    const Vector3 swapped = Turned({4, 9, 1}, swap);
    EXPECT_EQ(swapped.x, 9);
    EXPECT_EQ(swapped.y, 4);
}

TEST_F(RotationMaths, NormalizeScalesToUnitLengthAndLeavesZeroAlone) {
    Vector3 v{3, 4, 0};
    v.Normalize();
    EXPECT_EQ(v.x, 0.6);
    EXPECT_EQ(v.y, 0.8);
    EXPECT_EQ(v.z, 0.0);
    Vector3 zero{0, 0, 0};
    zero.Normalize();
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_EQ(zero.z, 0.0);
    EXPECT_FALSE(std::signbit(zero.x));
}

} // namespace
