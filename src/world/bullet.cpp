// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"
#include "world/object_sprites.h"
#include "world/tuning.h"

#include <cmath>

Bullet::Bullet(float x, float y, float dirX, float dirY)
    : GameObject(x, y, normalized({dirX, dirY}), BULLET_SPEED, BULLET_LIFETIME), Collidable{x, y,
                                                                                            BULLET_RADIUS}
{
}

void Bullet::update(World& /*world*/)
{
    life -= BULLET_AGE_PER_FRAME;
    if (life < 0.0f) {
        alive = false;
    }
    // The bullet still moves in the update that ends it.
    stepAlongHeading(*this);
}

void Bullet::draw(const Camera& camera) const
{
    const ViewSize view = logicalViewSize();
    const ScreenPoint dst = worldToScreen(x, y, BULLET_HALF_SIZE, camera, view.w, view.h);
    float a = std::atan2(dirY, dirX);
    if (a < 0.0f) {
        a += TWO_PI;
    }
    drawSpriteRotated(dst, BULLET_SPRITE, a / PI * 180.0f);
}
