// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"
#include "world/tuning.h"

Fighter::Fighter(float x, float y, Vec2 heading, float speed)
    : GameObject(x, y, heading, speed, FIGHTER_LIFE), Collidable{x, y, PLANE_RADIUS}
{
}

void Fighter::update(World& /*world*/)
{
    // A dead plane keeps drifting; nothing here looks at `alive`.
    stepAlongHeading(*this);
    if (invulnerableTimer != 0) {
        --invulnerableTimer;
    }
}

void Fighter::damage(float amount, bool makeInvulnerable)
{
    life -= amount;
    if (life <= 0.0f) {
        alive = false;
    }
    // A running timer is neither restarted nor extended.
    if (makeInvulnerable && invulnerableTimer == 0) {
        invulnerableTimer = DAMAGE_INVULNERABILITY;
    }
}
