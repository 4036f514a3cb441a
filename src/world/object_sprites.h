// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sprite_sheet.h"

// How the game objects appear: which plane frame a heading shows, and the view they are
// drawn into.

constexpr int PLANE_HALF_SIZE = PLANE_SIZE / 2;
constexpr int BULLET_HALF_SIZE = BULLET_SPRITE.w / 2;

// The plane frame for a heading: 0 (up) to 8 (down) through left, mirrored for headings
// with a component to the right.
struct HeadingFrame {
    int index = 0; // along the row of PLANE_FRAMES
    bool mirror = false;
};
HeadingFrame headingFrame(float dirX, float dirY);

// One plane frame from the row of planes at `planesY`, mirrored as the heading says.
void drawPlaneFrame(const ScreenPoint& dst, int planesY, const HeadingFrame& frame);

// The renderer's logical size, the view every object is drawn into.
struct ViewSize {
    int w = 0;
    int h = 0;
};
ViewSize logicalViewSize();
