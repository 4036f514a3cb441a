// SPDX-License-Identifier: Zlib
#include "world/world_geometry.h"

#include <cmath>

namespace {

constexpr float NORMALIZE_EPSILON = 1.1920929e-7f; // float machine epsilon, on the squared length

} // namespace

Vec2 normalized(Vec2 v)
{
    const float lengthSquared = v.x * v.x + v.y * v.y;
    if (lengthSquared > NORMALIZE_EPSILON) {
        const float length = std::sqrt(lengthSquared);
        return {v.x / length, v.y / length};
    }
    return v;
}

float wrapOnce(float value)
{
    if (value < 0.0f) {
        // A tiny negative value plus 640 rounds to 640 itself.
        return foldSeam(value + WORLD_SIZE);
    }
    if (value >= WORLD_SIZE) {
        return value - WORLD_SIZE;
    }
    return value;
}

int wrapOnce(int value)
{
    if (value < 0) {
        return value + WORLD_SIZE_INT;
    }
    return value >= WORLD_SIZE_INT ? value - WORLD_SIZE_INT : value;
}

ScreenPoint worldToScreen(float x, float y, int half, const Camera& camera, int viewW, int viewH)
{
    int ix = static_cast<int>(x);
    int iy = static_cast<int>(y);
    // When the view runs past the world's right or bottom edge, objects just past the
    // seam are drawn on the far side of it.
    if (WORLD_SIZE_INT - viewW < camera.x || WORLD_SIZE_INT - viewH < camera.y) {
        if (ix < camera.x) {
            ix += WORLD_SIZE_INT;
        }
        if (iy < camera.y) {
            iy += WORLD_SIZE_INT;
        }
    }
    return {ix - camera.x - half, iy - camera.y - half};
}
