// SPDX-License-Identifier: Zlib
#include "world/map_file.h"
#include "world/random_source.h"
#include "world/world.h"

#include "support/expected_random.h"
#include "support/temp_work_dir.h"

#include <gtest/gtest.h>

namespace {

// A World built in a scratch directory, so the map file's absence is the same everywhere.
class WorldLifecycle : public testing::Test {
protected:
    TempWorkDir dir;
    World world;

    // The Idle state: no player, no objects, no mission running.
    void expectIdle() const
    {
        EXPECT_EQ(world.player, nullptr);
        EXPECT_TRUE(world.enemies.empty());
        EXPECT_TRUE(world.playerBullets.empty());
        EXPECT_TRUE(world.enemyBullets.empty());
        EXPECT_FALSE(world.paused);
        EXPECT_FALSE(world.cleared);
        EXPECT_TRUE(world.gameOver);
    }
};

} // namespace

TEST_F(WorldLifecycle, WaveStartsWhereTheRandomSourcePutsIt)
{
    world.newGame();
    world.startMission();
    ASSERT_EQ(world.enemies.size(), 10u);
    const Enemy& first = *world.enemies.front();
    EXPECT_FLOAT_EQ(first.x, 464.79953f);
    EXPECT_FLOAT_EQ(first.y, 359.48999f);
    EXPECT_FLOAT_EQ(first.dirX, -0.5790945f);
    EXPECT_FLOAT_EQ(first.dirY, 0.8152605f);
    // Three values an enemy, y then x then the angle, taken at double precision: only
    // what is stored is rounded to float.
    ExpectedRandom expected;
    for (const auto& enemy : world.enemies) {
        const double ry = expected.next();
        const double rx = expected.next();
        const Enemy heading(0.0f, 0.0f, static_cast<float>(expected.next() * double{6.2831855f}));
        EXPECT_EQ(enemy->x, static_cast<float>(rx * 640.0));
        EXPECT_EQ(enemy->y, static_cast<float>(ry * 640.0));
        EXPECT_EQ(enemy->dirX, heading.dirX);
        EXPECT_EQ(enemy->dirY, heading.dirY);
        EXPECT_EQ(enemy->cx, enemy->x);
        EXPECT_EQ(enemy->cy, enemy->y);
    }
}

TEST_F(WorldLifecycle, EnemyFromTheTopOfTheRandomRangeStartsInsideTheWorld)
{
    // Draw numbers of the first values whose 640-fold rounds to 640.0f: the 7,245,466th
    // (2^32 - 37) falls on an enemy's y when the waves start at the head of the source,
    // the 34,758,713th (2^32 - 93) on an enemy's x when they start one draw later.
    constexpr long DRAWS_BEFORE_Y = 7245465;
    constexpr long DRAWS_BEFORE_X = 34758712;
    world.newGame();
    for (long draw = 0; draw < DRAWS_BEFORE_Y; ++draw) {
        random01();
    }
    world.startMission();
    EXPECT_EQ(world.enemies.front()->y, 0.0f);
    EXPECT_EQ(world.enemies.front()->cy, 0.0f);

    world.clearObjects();
    for (long draw = DRAWS_BEFORE_Y + 3 * world.enemyCount; draw < DRAWS_BEFORE_X - 1; ++draw) {
        random01();
    }
    world.startMission();
    EXPECT_EQ(world.enemies.front()->x, 0.0f);
    EXPECT_EQ(world.enemies.front()->cx, 0.0f);
}

TEST_F(WorldLifecycle, MissionStartsInTheIntroState)
{
    world.newGame();
    world.paused = true;
    world.cleared = true;
    world.startMission();
    EXPECT_FALSE(world.paused);
    EXPECT_FALSE(world.cleared);
    EXPECT_FALSE(world.gameOver);
    ASSERT_NE(world.player, nullptr);
    EXPECT_TRUE(world.player->fireDisabled);
    EXPECT_EQ(world.player->invulnerableTimer, 65535);
    EXPECT_EQ(world.player->x, 160.0f);

    world.player->invulnerableTimer = 7;
    world.beginPlay();
    EXPECT_FALSE(world.player->fireDisabled);
    EXPECT_EQ(world.player->invulnerableTimer, 90);
}

TEST_F(WorldLifecycle, SecondMissionStartAddsASecondWaveAndReplacesThePlayer)
{
    world.newGame();
    world.startMission();
    const std::weak_ptr<Player> firstPlayer = world.player;
    world.enemyCount = 15;
    world.startMission();
    EXPECT_EQ(world.enemies.size(), 25u);
    EXPECT_TRUE(firstPlayer.expired());
}

TEST_F(WorldLifecycle, NewGameAndResetKeepWhatTheyShould)
{
    expectIdle();
    world.newGame();
    world.startMission();
    world.playerBullets.push_back(std::make_shared<Bullet>(1.0f, 1.0f, 1.0f, 0.0f));
    world.enemyBullets.push_back(std::make_shared<Bullet>(1.0f, 1.0f, 1.0f, 0.0f));
    world.score = 340;
    world.bestScore = 500;
    world.enemyCount = 25;
    world.paused = true;
    world.cleared = true;

    world.reset();
    expectIdle();
    EXPECT_EQ(world.score, 340);
    EXPECT_EQ(world.bestScore, 500);
    EXPECT_EQ(world.enemyCount, 25);

    world.newGame();
    EXPECT_EQ(world.score, 0);
    EXPECT_EQ(world.bestScore, 500);
    EXPECT_EQ(world.enemyCount, 10);
}
