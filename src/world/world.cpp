// SPDX-License-Identifier: Zlib
#include "world/world.h"

#include "world/map_file.h"
#include "world/random_source.h"
#include "world/tuning.h"

namespace {

// A value from the top of the source's range, times 640, rounds to 640.0f.
float worldCoordinate(double r)
{
    return foldSeam(static_cast<float>(r * WORLD_SIZE));
}

std::shared_ptr<Enemy> scatteredEnemy()
{
    // The draw order (y, then x, then heading) fixes where a given state of the
    // random source puts the wave.
    const double ry = random01();
    const double rx = random01();
    const double ra = random01();
    const float x = worldCoordinate(rx);
    const float y = worldCoordinate(ry);
    const auto angle = static_cast<float>(ra * static_cast<double>(TWO_PI));
    return std::make_shared<Enemy>(x, y, angle);
}

} // namespace

World::World() : map(MAP_TILES, TILE_DEFAULT)
{
    loadMap(map);
}

void World::newGame()
{
    score = 0;
    enemyCount = FIRST_WAVE_SIZE;
}

void World::startMission()
{
    paused = false;
    cleared = false;
    gameOver = false;
    player = std::make_shared<Player>();
    // The lists are not emptied: shots still flying carry over into the new mission.
    for (std::int32_t i = 0; i < enemyCount; ++i) {
        enemies.push_back(scatteredEnemy());
    }
    player->fireDisabled = true;
    player->invulnerableTimer = INTRO_INVULNERABILITY;
}

void World::beginPlay()
{
    player->fireDisabled = false;
    player->invulnerableTimer = PLAY_INVULNERABILITY;
}

void World::clearObjects()
{
    enemies.clear();
    playerBullets.clear();
    enemyBullets.clear();
}

void World::reset()
{
    player.reset();
    clearObjects();
    paused = false;
    cleared = false;
    gameOver = true;
}
