// One of GL's matrix stacks (modelview, projection, texture), in float as the
// fixed-function pipeline keeps them, column-major.
#pragma once

#include <array>
#include <cstddef>

using GlMatrix = std::array<float, 16>;

// Product a * b of two column-major matrices.
GlMatrix MultiplyGlMatrices(const GlMatrix& a, const GlMatrix& b);

class Matrix4Stack {
  public:
    Matrix4Stack();

    const GlMatrix& Top() const { return stack_[depth_]; }
    bool IsIdentity() const { return identity_[depth_]; }
    void LoadIdentity();
    // False when the stack is full or has one matrix left: nothing changes.
    bool Push();
    bool Pop();
    // Multiplies the top by the matrix glOrtho and glTranslatef describe.
    void Ortho(float left, float right, float bottom, float top, float nearValue, float farValue);
    void Translate(float x, float y, float z);

    // GL guarantees 32 modelview and 2 projection and texture levels; the
    // same depth for all three covers what any of them is given.
    static constexpr std::size_t kDepth = 32;

  private:
    std::array<GlMatrix, kDepth> stack_{};
    std::array<bool, kDepth> identity_{};
    std::size_t depth_ = 0;
};
