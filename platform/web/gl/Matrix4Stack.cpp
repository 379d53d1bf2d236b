#include "platform/web/gl/Matrix4Stack.h"

namespace {

constexpr GlMatrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

} // namespace

GlMatrix MultiplyGlMatrices(const GlMatrix& a, const GlMatrix& b) {
    GlMatrix product{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

Matrix4Stack::Matrix4Stack() {
    stack_[0] = kIdentity;
    identity_[0] = true;
}

void Matrix4Stack::LoadIdentity() {
    stack_[depth_] = kIdentity;
    identity_[depth_] = true;
}

bool Matrix4Stack::Push() {
    if (depth_ + 1 >= kDepth) {
        return false;
    }
    stack_[depth_ + 1] = stack_[depth_];
    identity_[depth_ + 1] = identity_[depth_];
    ++depth_;
    return true;
}

bool Matrix4Stack::Pop() {
    if (depth_ == 0) {
        return false;
    }
    --depth_;
    return true;
}

// The entries are made in float from float arguments, as the fixed-function
// pipeline makes them.
void Matrix4Stack::Ortho(float left, float right, float bottom, float top, float nearValue,
                         float farValue) {
    GlMatrix ortho = kIdentity;
    ortho[0] = 2.0f / (right - left);
    ortho[5] = 2.0f / (top - bottom);
    ortho[10] = -2.0f / (farValue - nearValue);
    ortho[12] = -(right + left) / (right - left);
    ortho[13] = -(top + bottom) / (top - bottom);
    ortho[14] = -(farValue + nearValue) / (farValue - nearValue);
    stack_[depth_] = MultiplyGlMatrices(stack_[depth_], ortho);
    identity_[depth_] = false;
}

void Matrix4Stack::Translate(float x, float y, float z) {
    GlMatrix& m = stack_[depth_];
    for (int row = 0; row < 4; ++row) {
        m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
    identity_[depth_] = identity_[depth_] && x == 0.0f && y == 0.0f && z == 0.0f;
}
