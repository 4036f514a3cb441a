// SPDX-License-Identifier: Zlib
#include "world/object_sprites.h"

#include "platform/platform_context.h"
#include "world/world_geometry.h"

#include <cmath>

namespace {

constexpr int HEADING_STEPS = 16; // half-turn in steps of 11.25 degrees

} // namespace

HeadingFrame headingFrame(float dirX, float dirY)
{
    // 0 - d rather than -d keeps a zero component positive, so that straight down is
    // +pi (unmirrored) and not -pi.
    const float a = std::atan2(0.0f - dirX, 0.0f - dirY);
    const int step = static_cast<int>(std::fabs(a) / PI * HEADING_STEPS);
    return {(step + 1) / 2, a < 0.0f};
}

void drawPlaneFrame(const ScreenPoint& dst, int planesY, const HeadingFrame& frame)
{
    drawSprite(dst, planeFrame(planesY, frame.index), frame.mirror ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
}

ViewSize logicalViewSize()
{
    ViewSize view;
    SDL_RenderGetLogicalSize(platform.renderer, &view.w, &view.h);
    return view;
}
