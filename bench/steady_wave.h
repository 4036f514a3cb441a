// SPDX-License-Identifier: Zlib
#pragma once

#include "world/world.h"

#include <vector>

// How much is in flight: the wave's enemies and the player's shots.
struct WaveSize {
    int enemies = 0;
    int bullets = 0;
};

// A World held in one steady state for measuring: a fresh mission of `enemies` around
// an invulnerable player that nothing rams or shoots down, and `bullets` player shots
// that start on screen and reach no enemy before the world is put back. Shots live 36
// updates, so every PERIOD frames the world must be restored to the state built here.
class SteadyWave {
public:
    static constexpr int PERIOD = 30; // frames

    SteadyWave(World& world, WaveSize size);

    // Counts one frame; true when the world must be restored before the next one.
    bool tick();
    // Puts every object back as built and drops the shots the enemies fired meanwhile.
    void restore();

private:
    void placeShots(int count);
    bool clearOfWave(Bullet shot) const;

    World& world;
    Player playerAtStart;
    std::vector<Enemy> enemiesAtStart;
    std::vector<Bullet> shotsAtStart;
    std::vector<std::vector<Vec2>> enemyPaths; // [frame][enemy], frames 1..PERIOD + 1
    int framesSinceRestore = 0;
};
