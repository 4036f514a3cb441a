// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sprite_sheet.h"

// How the game objects appear: which plane frame a heading shows, and the view they are
// drawn into.

constexpr int PLANE_HALF_SIZE = PLANE_SIZE / 2;
constexpr int BULLET_HALF_SIZE = BULLET_SPRITE.w / 2;

// The sprite frame for a heading: column 0 (up) to 128 (down) through left,
// mirrored for headings with a component to the right.
struct HeadingFrame {
    int column = 0;
    bool mirror = false;
};
HeadingFrame headingColumn(float dirX, float dirY);

// One plane frame from the row of planes at `planesY`, mirrored as the heading says.
void drawPlaneFrame(const ScreenPoint& dst, int planesY, const HeadingFrame& frame);

// The renderer's logical size, the view every object is drawn into.
struct ViewSize {
    int w = 0;
    int h = 0;
};
ViewSize logicalViewSize();
