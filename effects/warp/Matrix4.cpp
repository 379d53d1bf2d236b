#include "effects/warp/Matrix4.h"

#include "effects/warp/TrigTables.h"

namespace {

struct Turn {
    double cos;
    double sin;
};

Turn TurnAt(int index) {
    return {CosineTable[index & kAngleMask], SineTable[index & kAngleMask]};
}

} // namespace

void Matrix4::SetIdentity() {
    for (double& element : m) {
        element = 0.0;
    }
    m[0] = 1.0;
    m[5] = 1.0;
    m[10] = 1.0;
    m[15] = 1.0;
}

// NOTE: -sin of a zero sine is -0.0; its sign can reach a ray component and
// decide the sign of an infinite distance, so it is negated, not subtracted.
void Matrix4::SetRotationZ(int index) {
    SetIdentity();
    const Turn turn = TurnAt(index);
    m[0] = turn.cos;
    m[5] = turn.cos;
    m[1] = turn.sin;
    m[4] = -turn.sin;
}

void Matrix4::SetRotationX(int index) {
    SetIdentity();
    const Turn turn = TurnAt(index);
    m[5] = turn.cos;
    m[10] = turn.cos;
    m[6] = turn.sin;
    m[9] = -turn.sin;
}

void Matrix4::SetRotationY(int index) {
    SetIdentity();
    const Turn turn = TurnAt(index);
    m[0] = turn.cos;
    m[10] = turn.cos;
    m[2] = turn.sin;
    m[8] = -turn.sin;
}

void Matrix4::Multiply(const Matrix4& right) {
    // Formed apart first, so right is read unchanged even when it is this.
    double product[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            product[4 * i + j] = m[4 * i] * right.m[j] + m[4 * i + 1] * right.m[4 + j] +
                                 m[4 * i + 2] * right.m[8 + j] + m[4 * i + 3] * right.m[12 + j];
        }
    }
    for (int n = 0; n < 16; ++n) {
        m[n] = product[n];
    }
}
