// A 4 x 4 matrix of doubles for turning view rays. Element 4i + j is row i,
// column j; points are row vectors on its left, p' = (x, y, z, 1) . M, so row 3
// holds the translation. Angles are indices into the trig tables.
#pragma once

struct Matrix4 {
    double m[16];

    void SetIdentity();

    // Each turns, for a growing index, x toward y (Z), y toward z (X) or x toward
    // z (Y). NOTE: SetRotationY is the inverse of the usual right-handed turn
    // about y: +sin sits at element 2 and -sin at element 8.
    void SetRotationZ(int index);
    void SetRotationX(int index);
    void SetRotationY(int index);

    // this = this . right: right's turn applies after the ones already here.
    // Right may be this matrix itself.
    void Multiply(const Matrix4& right);
};
