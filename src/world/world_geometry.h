// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/screen_point.h"
#include "world/camera.h"

// The world: a 640-unit square that wraps on both axes; one unit is one logical pixel.
constexpr float WORLD_SIZE = 640.0f;
constexpr int WORLD_SIZE_INT = 640;

constexpr float PI = 3.1415927f;
constexpr float TWO_PI = 6.2831855f;

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

// Divides by the length only when the squared length exceeds float epsilon.
Vec2 normalized(Vec2 v);

// A coordinate that rounded up to 640 in single precision is 0 on this wrapping world.
constexpr float foldSeam(float coordinate)
{
    return coordinate < WORLD_SIZE ? coordinate : 0.0f;
}

// One correction into [0, 640): a step never leaves the world by more than its size.
float wrapOnce(float value);
int wrapOnce(int value);

// Top-left screen corner of a sprite of half-size `half` centred on world (x, y),
// seen by `camera` with a view of viewW x viewH, corrected across the world's seam.
ScreenPoint worldToScreen(float x, float y, int half, const Camera& camera, int viewW, int viewH);
