#include "world/game_object_detail.h"

#include "app/app_context.h"

#include <cmath>

namespace {

constexpr float NORMALIZE_EPSILON = 1.1920929e-7f; // float machine epsilon, on the squared length
constexpr int PLANE_SPRITE_SIZE = 16;
constexpr int HEADING_STEPS = 16; // half-turn in steps of 11.25 degrees

float wrapOnce(float value)
{
    if (value < 0.0f) {
        // A tiny negative value plus 640 rounds to 640 itself, which is 0 on this world.
        const float wrapped = value + WORLD_SIZE;
        return wrapped < WORLD_SIZE ? wrapped : 0.0f;
    }
    if (value >= WORLD_SIZE) {
        return value - WORLD_SIZE;
    }
    return value;
}

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

HeadingFrame headingColumn(float dirX, float dirY)
{
    // 0 - d rather than -d keeps a zero component positive, so that straight down is
    // +pi (unmirrored) and not -pi.
    const float a = std::atan2(0.0f - dirX, 0.0f - dirY);
    const int step = static_cast<int>(std::fabs(a) / PI_FLOAT * HEADING_STEPS);
    return {(step + 1) / 2 * PLANE_SPRITE_SIZE, a < 0.0f};
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

GameObject::GameObject(float x, float y, Vec2 heading, float speed, float life)
    : x(x), y(y), dirX(heading.x), dirY(heading.y), speed(speed), life(life)
{
}

void stepAlongHeading(GameObject& object, Collidable& circle)
{
    const float step = object.speed / FRAMES_PER_SECOND;
    object.x = wrapOnce(object.x + object.dirX * step);
    object.y = wrapOnce(object.y + object.dirY * step);
    circle.cx = object.x;
    circle.cy = object.y;
}

ViewSize logicalViewSize()
{
    ViewSize view;
    SDL_RenderGetLogicalSize(app.renderer, &view.w, &view.h);
    return view;
}

void drawPlaneFrame(const ScreenPoint& dst, int sheetRow, const HeadingFrame& frame)
{
    drawSprite(dst, {frame.column, sheetRow, PLANE_SPRITE_SIZE, PLANE_SPRITE_SIZE},
               frame.mirror ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
}
