// SPDX-License-Identifier: Zlib
#pragma once

#include "world/camera.h"
#include "world/game_objects.h"
#include "world/tuning.h"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

// The one playfield: camera, ground map, the player, the three object lists, the mission
// flags and the scores. The scenes move it through games and missions and call its
// update and drawing once per frame.
class World {
public:
    World();

    // Lifecycle
    void newGame();
    void startMission();
    void beginPlay();
    void clearObjects();
    void reset();

    // One frame of play; reads the platform's input record.
    void update();
    void spawnEnemyBullet(const Enemy& shooter);

    // Drawing: camera, ground, objects, then the heads-up display.
    void draw();
    void updateCamera();
    void drawBackground() const;
    void drawScores() const;
    void drawLifeBar() const;
    void drawRadar() const;

    Camera camera;
    std::vector<std::uint8_t> map;
    std::shared_ptr<Player> player;
    std::list<std::shared_ptr<Enemy>> enemies;
    std::list<std::shared_ptr<Bullet>> playerBullets;
    std::list<std::shared_ptr<Bullet>> enemyBullets;
    bool paused = false;
    bool cleared = false;
    bool gameOver = true;
    std::int32_t score = 0;
    std::int32_t bestScore = 0;
    std::int32_t enemyCount = FIRST_WAVE_SIZE; // enemies the next mission creates
};
