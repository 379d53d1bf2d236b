#include "effects/warp/Vector3.h"

#include <cmath>

void Vector3::Transform(Matrix4 matrix) {
    const double* m = matrix.m;
    const double tx = m[0] * x + m[4] * y + m[8] * z + m[12];
    const double ty = m[1] * x + m[5] * y + m[9] * z + m[13];
    const double tz = m[2] * x + m[6] * y + m[10] * z + m[14];
    x = tx;
    y = ty;
    z = tz;
}

void Vector3::Normalize() {
    const double q = x * x + y * y + z * z;
    if (q == 0) {
        return;
    }
    const double length = std::sqrt(q);
    x /= length;
    y /= length;
    z /= length;
}
