// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"
#include "world/object_sprites.h"
#include "world/tuning.h"

namespace {

constexpr int BLINK_PERIOD = 4;  // frames
constexpr int BLINK_VISIBLE = 2; // frames shown at the start of each period

} // namespace

Player::Player() : Fighter(PLAYER_START_X, PLAYER_START_Y, {PLAYER_START_DIR, PLAYER_START_DIR}, PLAYER_SPEED)
{
}

void Player::draw(const Camera& /*camera*/) const
{
    if (!alive || hit) {
        return;
    }
    // The camera is centred on the player, so the plane sits in the middle of the view.
    const ViewSize view = logicalViewSize();
    const ScreenPoint dst{view.w / 2 - PLANE_HALF_SIZE, view.h / 2 - PLANE_HALF_SIZE};
    if (invulnerableTimer % BLINK_PERIOD >= BLINK_VISIBLE) {
        return;
    }
    drawPlaneFrame(dst, PLAYER_PLANES_Y, headingFrame(dirX, dirY));
}
