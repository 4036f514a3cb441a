// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"

#include "platform/frame_rate.h"

GameObject::GameObject(float x, float y, Vec2 heading, float speed, float life)
    : x(x), y(y), dirX(heading.x), dirY(heading.y), speed(speed), life(life)
{
}

void GameObject::stepAlongHeading(Collidable& circle)
{
    const float step = speed / FRAMES_PER_SECOND;
    x = wrapOnce(x + dirX * step);
    y = wrapOnce(y + dirY * step);
    circle.cx = x;
    circle.cy = y;
}
