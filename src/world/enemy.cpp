#include "world/game_object_detail.h"

#include <cmath>

Enemy::Enemy(float x, float y, float angle)
    : Fighter(x, y, normalized({std::cos(angle), std::sin(angle)}), ENEMY_SPEED)
{
}

void Enemy::update(World& world)
{
    Fighter::update(world);
}

void Enemy::draw(const Camera& camera) const
{
    const ViewSize view = logicalViewSize();
    const ScreenPoint dst = worldToScreen(x, y, PLANE_HALF_SIZE, camera, view.w, view.h);
    // Every other frame is hidden while the timer runs.
    if (invulnerableTimer % 2 != 0) {
        return;
    }
    drawPlaneFrame(dst, ENEMY_SHEET_ROW, headingColumn(dirX, dirY));
}
