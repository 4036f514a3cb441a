// SPDX-License-Identifier: Zlib
#include "steady_wave.h"

#include "world/game_objects.h"
#include "world/tuning.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

namespace {

// Large enough to outlast any measurement between two restores.
constexpr std::int32_t LASTING_INVULNERABILITY = 1 << 20; // frames
// Shots start within this distance of the player on each axis: on the 320x240 screen.
constexpr float SHOT_SPREAD_X = 150.0f;
constexpr float SHOT_SPREAD_Y = 110.0f;
// A shot passing closer than this to an enemy counts as a hit (10 units) with margin.
constexpr float NEAR_MISS = 12.0f;
constexpr int PLACEMENT_TRIES = 1000;
constexpr std::uint32_t PLACEMENT_SEED = 20260101;

template <typename Object, typename List> void assignInPlace(List& objects, const std::vector<Object>& saved)
{
    if (objects.size() != saved.size()) {
        objects.clear();
        for (const Object& object : saved) {
            objects.push_back(std::make_shared<Object>(object));
        }
        return;
    }
    auto from = saved.begin();
    for (auto& object : objects) {
        *object = *from++;
    }
}

} // namespace

SteadyWave::SteadyWave(World& world, WaveSize size) : world(world)
{
    world.reset();
    world.newGame();
    world.enemyCount = size.enemies;
    world.startMission();
    world.beginPlay();
    world.player->invulnerableTimer = LASTING_INVULNERABILITY;
    playerAtStart = *world.player;
    for (const auto& enemy : world.enemies) {
        enemiesAtStart.push_back(*enemy);
    }
    // Where each enemy will be in the frames before the next restore: movement only.
    std::vector<Enemy> moving = enemiesAtStart;
    for (int frame = 0; frame <= PERIOD; ++frame) {
        std::vector<Vec2> positions;
        for (Enemy& enemy : moving) {
            enemy.Fighter::update(world);
            positions.push_back({enemy.x, enemy.y});
        }
        enemyPaths.push_back(positions);
    }
    placeShots(size.bullets);
}

void SteadyWave::placeShots(int count)
{
    std::mt19937 random(PLACEMENT_SEED);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < count; ++i) {
        for (int attempt = 0; attempt < PLACEMENT_TRIES; ++attempt) {
            const float x = wrapOnce(playerAtStart.x + (unit(random) * 2.0f - 1.0f) * SHOT_SPREAD_X);
            const float y = wrapOnce(playerAtStart.y + (unit(random) * 2.0f - 1.0f) * SHOT_SPREAD_Y);
            const float angle = unit(random) * TWO_PI;
            Bullet shot(x, y, std::cos(angle), std::sin(angle));
            // In flight for a frame already: no restored shot looks freshly fired.
            shot.life -= BULLET_AGE_PER_FRAME;
            if (clearOfWave(shot) || attempt + 1 == PLACEMENT_TRIES) {
                shotsAtStart.push_back(shot);
                world.playerBullets.push_back(std::make_shared<Bullet>(shot));
                break;
            }
        }
    }
}

bool SteadyWave::clearOfWave(Bullet shot) const
{
    for (const std::vector<Vec2>& positions : enemyPaths) {
        shot.update(world);
        for (const Vec2& enemy : positions) {
            const float dx = shot.x - enemy.x;
            const float dy = shot.y - enemy.y;
            if (dx * dx + dy * dy < NEAR_MISS * NEAR_MISS) {
                return false;
            }
        }
    }
    return true;
}

bool SteadyWave::tick()
{
    ++framesSinceRestore;
    return framesSinceRestore >= PERIOD;
}

void SteadyWave::restore()
{
    framesSinceRestore = 0;
    *world.player = playerAtStart;
    assignInPlace(world.enemies, enemiesAtStart);
    assignInPlace(world.playerBullets, shotsAtStart);
    world.enemyBullets.clear();
    world.score = 0;
    world.bestScore = 0;
    world.cleared = false;
    world.gameOver = false;
    world.paused = false;
}
