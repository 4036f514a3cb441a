// SPDX-License-Identifier: Zlib
#include "world/world.h"

#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "platform/sound.h"
#include "world/tuning.h"

#include <SDL.h>

#include <algorithm>

namespace {

// What this frame's input asks of the world.
struct Controls {
    ButtonMask pressed = 0;
    ButtonMask held = 0;
    float axisX = 0.0f;
};

Controls readControls()
{
    if (platform.input == nullptr) {
        return {};
    }
    return {platform.input->pressed, platform.input->held, platform.input->axisX};
}

// Plain differences: nothing overlaps across the world's seam.
bool overlaps(const Collidable& a, const Collidable& b)
{
    const float reach = a.radius + b.radius;
    const float dx = a.cx - b.cx;
    const float dy = a.cy - b.cy;
    return reach * reach > dx * dx + dy * dy;
}

// Turns the heading clockwise on screen by the angle whose sine is `sine`
// (a negative sine turns counter-clockwise).
void turn(Fighter& fighter, float sine)
{
    const float dx = fighter.dirX;
    const float dy = fighter.dirY;
    const Vec2 heading = normalized({dx * TURN_COS - dy * sine, dx * sine + dy * TURN_COS});
    fighter.dirX = heading.x;
    fighter.dirY = heading.y;
}

std::shared_ptr<Bullet> shotFrom(const Fighter& shooter)
{
    return std::make_shared<Bullet>(shooter.x, shooter.y, shooter.dirX, shooter.dirY);
}

void steerAndFire(World& world, const Controls& controls)
{
    Player& player = *world.player;
    if (!player.alive) {
        return;
    }
    if ((controls.held & TURN_LEFT_BUTTON) != 0 || controls.axisX < -STICK_THRESHOLD) {
        turn(player, -TURN_SIN);
    }
    if ((controls.held & TURN_RIGHT_BUTTON) != 0 || controls.axisX > STICK_THRESHOLD) {
        turn(player, TURN_SIN);
    }
    if ((controls.pressed & FIRE_BUTTON) != 0 && !player.fireDisabled) {
        world.playerBullets.push_back(shotFrom(player));
        playSound(SOUND_PLAYER_SHOT);
    }
}

template <typename List> void updateAll(const List& objects, World& world)
{
    for (const auto& object : objects) {
        object->update(world);
    }
}

void moveEverything(World& world)
{
    world.player->update(world);
    // Enemies may fire here; their shots join the end of enemyBullets and move this frame.
    updateAll(world.enemies, world);
    updateAll(world.playerBullets, world);
    updateAll(world.enemyBullets, world);
}

void addScore(World& world, std::int32_t points)
{
    world.score += points;
    world.bestScore = std::max(world.bestScore, world.score);
}

void shootEnemy(World& world, Enemy& enemy)
{
    for (const auto& bullet : world.playerBullets) {
        if (!enemy.alive) {
            return;
        }
        if (!bullet->alive || !overlaps(*bullet, enemy)) {
            continue;
        }
        enemy.hit = true;
        enemy.damage(PLAYER_SHOT_DAMAGE, false);
        bullet->alive = false;
        playSound(SOUND_ENEMY_HIT);
        if (enemy.alive) {
            addScore(world, HIT_SCORE);
        } else {
            playSound(SOUND_ENEMY_EXP);
            addScore(world, KILL_SCORE);
        }
    }
}

void shootEnemies(World& world)
{
    for (const auto& enemy : world.enemies) {
        if (enemy->alive && enemy->invulnerableTimer == 0) {
            shootEnemy(world, *enemy);
        }
    }
}

void shootPlayer(World& world)
{
    Player& player = *world.player;
    // A wreck goes on absorbing shots while its timer is 0.
    for (const auto& bullet : world.enemyBullets) {
        if (bullet->alive && overlaps(*bullet, player)) {
            player.hit = true;
            player.damage(ENEMY_SHOT_DAMAGE, false);
            bullet->alive = false;
            playSound(SOUND_PLAYER_HIT);
        }
    }
}

void ramPlayer(World& world)
{
    Player& player = *world.player;
    // The player's timer was tested once, before the walk: several enemies may ram
    // in one frame.
    for (const auto& enemy : world.enemies) {
        if (!enemy->alive || enemy->invulnerableTimer != 0 || !overlaps(*enemy, player)) {
            continue;
        }
        enemy->hit = true;
        player.hit = true;
        enemy->damage(RAM_DAMAGE_TO_ENEMY, true);
        player.damage(RAM_DAMAGE_TO_PLAYER, true);
        playSound(SOUND_ENEMY_HIT);
        playSound(SOUND_PLAYER_HIT);
        if (!enemy->alive) {
            playSound(SOUND_ENEMY_EXP);
        }
        if (!player.alive) {
            playSound(SOUND_PLAYER_EXP);
            return;
        }
    }
}

void attackPlayer(World& world)
{
    world.player->hit = false;
    if (world.player->invulnerableTimer != 0) {
        return;
    }
    shootPlayer(world);
    if (world.player->alive) {
        ramPlayer(world);
    }
}

template <typename List> void removeDead(List& objects)
{
    objects.remove_if([](const auto& object) { return !object->alive; });
}

void endMission(World& world)
{
    if (!world.cleared && world.enemies.empty()) {
        world.cleared = true;
        SDL_Log("S T A G E   C L E A R !");
        world.enemyCount = std::min(world.enemyCount + WAVE_GROWTH, MAX_WAVE_SIZE);
    } else if (!world.gameOver && !world.player->alive) {
        world.gameOver = true;
        playSound(SOUND_PLAYER_EXP);
        SDL_Log("G A M E   O V E R");
    }
}

} // namespace

void World::update()
{
    const Controls controls = readControls();
    // The frame that pauses does nothing more; the frame that resumes runs in full.
    if ((controls.pressed & PAUSE_BUTTON) != 0) {
        paused = !paused;
    }
    if (paused) {
        return;
    }
    resetSoundFlags();
    steerAndFire(*this, controls);
    moveEverything(*this);
    for (const auto& enemy : enemies) {
        enemy->hit = false;
    }
    shootEnemies(*this);
    attackPlayer(*this);
    removeDead(enemies);
    removeDead(playerBullets);
    removeDead(enemyBullets);
    endMission(*this);
}

void World::spawnEnemyBullet(const Enemy& shooter)
{
    enemyBullets.push_back(shotFrom(shooter));
    playSound(SOUND_ENEMY_SHOT);
}
