// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "support/temp_work_dir.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <memory>

// A World built in a scratch directory with a player and an input record of the test's
// own; tests place objects by hand and write the input masks as InputState::update would.
class WorldFixture : public testing::Test {
protected:
    WorldFixture()
    {
        platform.input = &input;
        world.player = std::make_shared<Player>();
        world.gameOver = false; // a mission is running
    }
    ~WorldFixture() override { platform.input = nullptr; }

    // A still object: speed 0 keeps it where the test put it.
    template <typename T, typename... Args> std::shared_ptr<T> still(Args... args)
    {
        auto object = std::make_shared<T>(args...);
        object->speed = 0.0f;
        return object;
    }
    std::shared_ptr<Enemy> addEnemy(float x, float y, float angle = 0.0f)
    {
        world.enemies.push_back(still<Enemy>(x, y, angle));
        return world.enemies.back();
    }
    std::shared_ptr<Bullet> addPlayerShot(float x, float y)
    {
        world.playerBullets.push_back(still<Bullet>(x, y, 1.0f, 0.0f));
        return world.playerBullets.back();
    }
    std::shared_ptr<Bullet> addEnemyShot(float x, float y)
    {
        world.enemyBullets.push_back(still<Bullet>(x, y, 1.0f, 0.0f));
        return world.enemyBullets.back();
    }
    // Puts the player, still and vulnerable, at (x, y).
    void placePlayer(float x, float y)
    {
        Player& player = *world.player;
        player.x = player.cx = x;
        player.y = player.cy = y;
        player.speed = 0.0f;
    }

    TempWorkDir dir;
    World world;
    InputState input;
};
