// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"
#include "world/object_sprites.h"
#include "world/tuning.h"

#include "world/random_source.h"
#include "world/world.h"

#include <cmath>

namespace {

// The player close ahead of the nose. The difference ignores the wrap-round, so an enemy
// never sees across the seam.
bool seesPlayer(const Enemy& enemy, const Player& player)
{
    const float dx = player.x - enemy.x;
    const float dy = player.y - enemy.y;
    const float distanceSquared = dx * dx + dy * dy;
    const Vec2 toPlayer = normalized({dx, dy});
    return distanceSquared < SIGHT_RANGE_SQUARED &&
           toPlayer.x * enemy.dirX + toPlayer.y * enemy.dirY > SIGHT_CONE_COS;
}

// The unit vector at `angle` radians. The float sine and cosine of glibc and of the browser
// build's C library differ in the last bit for some angles in [0, 2 pi]; the double ones,
// rounded to float, agree for every float there, so desktop and browser fly the same waves.
Vec2 headingAt(float angle)
{
    const auto a = static_cast<double>(angle);
    return normalized({static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))});
}

} // namespace

Enemy::Enemy(float x, float y, float angle) : Fighter(x, y, headingAt(angle), ENEMY_SPEED) {}

void Enemy::update(World& world)
{
    Fighter::update(world);
    if (burstTimer > 0) {
        if (burstTimer % BURST_SHOT_INTERVAL == 0) {
            world.spawnEnemyBullet(*this);
        }
        --burstTimer;
        return;
    }
    // Only an enemy with the player in sight draws from the random source.
    if (seesPlayer(*this, *world.player) && random01() < BURST_CHANCE) {
        burstTimer = BURST_LENGTH;
    }
}

void Enemy::draw(const Camera& camera) const
{
    const ViewSize view = logicalViewSize();
    const ScreenPoint dst = worldToScreen(x, y, PLANE_HALF_SIZE, camera, view.w, view.h);
    // Every other frame is hidden while the timer runs.
    if (invulnerableTimer % 2 != 0) {
        return;
    }
    drawPlaneFrame(dst, ENEMY_PLANES_Y, headingFrame(dirX, dirY));
}
