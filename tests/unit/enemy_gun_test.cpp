// SPDX-License-Identifier: Zlib
#include "support/expected_random.h"
#include "support/world_fixture.h"
#include "world/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using EnemyGun = WorldFixture;

} // namespace

TEST_F(EnemyGun, OnlyAnEnemyWithThePlayerCloseAheadDrawsFromTheRandomSource)
{
    struct Case {
        const char* what;
        float enemyX, enemyY;
        float playerX, playerY;
        std::int32_t burstTimer;
        bool draws;
        bool playerAlive = true;
        std::int32_t playerTimer = 0;
    };
    // Enemies head right (+x).
    const Case cases[] = {
        {"100 ahead", 300.0f, 300.0f, 400.0f, 300.0f, 0, true},
        {"199 ahead", 300.0f, 300.0f, 499.0f, 300.0f, 0, true},
        {"exactly 200 ahead", 300.0f, 300.0f, 500.0f, 300.0f, 0, false},
        {"29 degrees off the nose", 300.0f, 300.0f, 387.46197f, 348.48096f, 0, true},
        {"31 degrees off the nose", 300.0f, 300.0f, 385.71675f, 351.50381f, 0, false},
        {"behind", 300.0f, 300.0f, 200.0f, 300.0f, 0, false},
        {"beside", 300.0f, 300.0f, 300.0f, 400.0f, 0, false},
        {"on top", 300.0f, 300.0f, 300.0f, 300.0f, 0, false},
        {"across the seam", 630.0f, 100.0f, 10.0f, 100.0f, 0, false},
        {"already firing", 300.0f, 300.0f, 400.0f, 300.0f, 5, false},
        {"ahead and invulnerable", 300.0f, 300.0f, 400.0f, 300.0f, 0, true, true, 90},
        {"ahead and shot down", 300.0f, 300.0f, 400.0f, 300.0f, 0, true, false},
    };
    ExpectedRandom expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        placePlayer(c.playerX, c.playerY);
        world.player->alive = c.playerAlive;
        world.player->invulnerableTimer = c.playerTimer;
        const auto enemy = addEnemy(c.enemyX, c.enemyY);
        enemy->burstTimer = c.burstTimer;
        enemy->update(world);
        if (c.draws) {
            expected.next();
        }
        // None of these first values is below 0.05, so no burst starts.
        EXPECT_EQ(enemy->burstTimer, c.burstTimer > 0 ? c.burstTimer - 1 : 0);
        EXPECT_EQ(random01(), expected.next());
    }
}

TEST_F(EnemyGun, EnemiesLookForThePlayerWhereBothAreAfterThisFramesMoves)
{
    // The enemy heads right, at the player; sight reaches less than 200 units.
    struct Case {
        const char* what;
        float enemyX, enemySpeed;
        float playerX, playerDirX, playerSpeed;
        bool draws;
    };
    const Case cases[] = {
        {"the player moved into sight", 100.0f, 0.0f, 301.0f, -1.0f, 120.0f, true},   // 199 ahead
        {"the player moved out of sight", 100.0f, 0.0f, 299.0f, 1.0f, 120.0f, false}, // 201 ahead
        {"the enemy moved into sight", 99.0f, 96.0f, 300.0f, 1.0f, 0.0f, true},       // 199.4 ahead
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restartRandom01();
        world.enemies.clear();
        placePlayer(c.playerX, 300.0f);
        world.player->dirX = c.playerDirX;
        world.player->dirY = 0.0f;
        world.player->speed = c.playerSpeed;
        addEnemy(c.enemyX, 300.0f)->speed = c.enemySpeed;
        world.update();
        ExpectedRandom expected;
        if (c.draws) {
            expected.next();
        }
        EXPECT_EQ(random01(), expected.next());
    }
}

TEST_F(EnemyGun, ALowDrawStartsABurstOfFourShotsAlongTheHeading)
{
    // Burn the source up to its first value below 0.05.
    ExpectedRandom expected;
    for (ExpectedRandom peek = expected; peek.next() >= 0.05; expected.next()) {
        random01();
    }
    placePlayer(400.0f, 300.0f);
    const auto enemy = addEnemy(300.0f, 300.0f);
    enemy->speed = 96.0f; // each shot leaves from further right
    enemy->update(world); // frame N: the burst starts, no shot yet
    EXPECT_EQ(enemy->burstTimer, 40);
    EXPECT_TRUE(world.enemyBullets.empty());

    placePlayer(300.0f, 100.0f); // out of sight: the burst goes on regardless
    std::vector<int> shotFrames;
    for (int frame = 1; frame <= 41; ++frame) {
        const size_t before = world.enemyBullets.size();
        enemy->update(world);
        if (world.enemyBullets.size() > before) {
            shotFrames.push_back(frame);
        }
    }
    EXPECT_EQ(shotFrames, (std::vector<int>{1, 11, 21, 31}));
    EXPECT_EQ(enemy->burstTimer, 0);
    float previousX = 0.0f;
    for (const auto& shot : world.enemyBullets) {
        EXPECT_GT(shot->x, previousX) << "each shot joins the end of the list";
        previousX = shot->x;
        EXPECT_EQ(shot->dirX, 1.0f);
        EXPECT_EQ(shot->dirY, 0.0f);
        EXPECT_EQ(shot->y, 300.0f);
        EXPECT_EQ(shot->speed, 360.0f);
    }
}

TEST_F(EnemyGun, EnemyShotMovesInTheFrameItIsFired)
{
    placePlayer(100.0f, 500.0f);
    const auto enemy = addEnemy(300.0f, 300.0f);
    enemy->speed = 96.0f;
    enemy->burstTimer = 40;
    world.update();
    ASSERT_EQ(world.enemyBullets.size(), 1u);
    // Fired from where the enemy moved to (301.6), then moved 6 itself.
    EXPECT_FLOAT_EQ(world.enemyBullets.front()->x, 307.6f);
    EXPECT_EQ(world.enemyBullets.front()->y, 300.0f);
}
