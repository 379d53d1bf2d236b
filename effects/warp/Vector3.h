// A direction or point of three doubles, turned by a Matrix4 and scaled to
// unit length.
#pragma once

#include "effects/warp/Matrix4.h"

struct Vector3 {
    double x;
    double y;
    double z;

    // Becomes (x, y, z, 1) . m. Column 3 is never read: there is no division by w.
    void Transform(Matrix4 m);
    // Scales to length 1; a zero vector stays as it is.
    void Normalize();
};
