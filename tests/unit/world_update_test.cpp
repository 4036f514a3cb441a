// SPDX-License-Identifier: Zlib
#include "support/log_capture.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr ButtonMask START = buttonBit(SDL_CONTROLLER_BUTTON_START);
constexpr ButtonMask A = buttonBit(SDL_CONTROLLER_BUTTON_A);
constexpr ButtonMask LEFT = buttonBit(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
constexpr ButtonMask RIGHT = buttonBit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

using WorldUpdate = WorldFixture;

} // namespace

TEST_F(WorldUpdate, PauseFreezesTheWorldUntilStartIsPressedAgain)
{
    placePlayer(100.0f, 100.0f);
    world.player->speed = 120.0f;
    const auto shot = addPlayerShot(300.0f, 300.0f);

    input.pressed = START | A; // the pausing frame does nothing more, not even fire
    world.update();
    EXPECT_TRUE(world.paused);
    input.pressed = A;
    input.held = LEFT;
    world.update();
    EXPECT_EQ(world.player->x, 100.0f);
    EXPECT_EQ(shot->life, 0.6f);
    EXPECT_EQ(world.playerBullets.size(), 1u);

    input.pressed = START; // the resuming frame runs in full
    input.held = 0;
    world.update();
    EXPECT_FALSE(world.paused);
    EXPECT_FLOAT_EQ(world.player->x, 100.0f - 0.70710677f * 2.0f);
    EXPECT_LT(shot->life, 0.6f);
}

TEST_F(WorldUpdate, ArrowsAndStickTurnThePlayer)
{
    struct Case {
        ButtonMask held;
        float axisX;
        float expectedDirX; // from straight up
        bool alive = true;
    };
    const float justBeyond = std::nextafter(0.4f, 1.0f);
    const Case cases[] = {
        {0, 0.0f, 0.0f},
        {LEFT, 0.0f, -0.020360768f},
        {RIGHT, 0.0f, 0.020360768f},
        {LEFT | RIGHT, 0.0f, 0.0f},
        {0, -0.4f, 0.0f},
        {0, 0.4f, 0.0f},
        {0, -justBeyond, -0.020360768f},
        {0, justBeyond, 0.020360768f},
        {RIGHT, -1.0f, 0.0f},       // stick left and arrow right: both turns
        {LEFT, -1.0f, 0.0f, false}, // a wreck does not turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "held " << c.held << " axisX " << c.axisX);
        world.player = std::make_shared<Player>();
        world.player->dirX = 0.0f;
        world.player->dirY = -1.0f;
        world.player->alive = c.alive;
        input.held = c.held;
        input.axisX = c.axisX;
        world.update();
        EXPECT_NEAR(world.player->dirX, c.expectedDirX, 1e-6f);
        EXPECT_NEAR(std::hypot(world.player->dirX, world.player->dirY), 1.0f, 1e-6f);
    }
}

TEST_F(WorldUpdate, FiringNeedsAPressALivePlayerAndFireEnabled)
{
    struct Case {
        ButtonMask pressed;
        ButtonMask held;
        bool fireDisabled;
        bool alive;
        bool fires;
    };
    const Case cases[] = {
        {A, A, false, true, true},
        {A, A | LEFT, false, true, true}, // along the heading this frame's turn gave
        {0, A, false, true, false},       // holding does not repeat
        {A, A, true, true, false},        // the mission intro
        {A, A, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pressed " << c.pressed << " held " << c.held << " disabled "
                                        << c.fireDisabled << " alive " << c.alive);
        world.playerBullets.clear();
        const auto earlier = addPlayerShot(600.0f, 600.0f);
        world.player = std::make_shared<Player>();
        world.player->fireDisabled = c.fireDisabled;
        world.player->alive = c.alive;
        input.pressed = c.pressed;
        input.held = c.held;
        world.update();
        ASSERT_EQ(world.playerBullets.size(), c.fires ? 2u : 1u);
        EXPECT_EQ(world.playerBullets.front(), earlier) << "a new shot joins the end of the list";
        if (c.fires) {
            // Fired from (160, 90), and already moved once by 6 units.
            const Player& player = *world.player;
            const Bullet& shot = *world.playerBullets.back();
            EXPECT_FLOAT_EQ(shot.dirX, player.dirX);
            EXPECT_FLOAT_EQ(shot.dirY, player.dirY);
            EXPECT_FLOAT_EQ(shot.x, 160.0f + player.dirX * 6.0f);
            EXPECT_FLOAT_EQ(shot.y, 90.0f + player.dirY * 6.0f);
        }
    }
}

TEST_F(WorldUpdate, TwoShotsOnAFreshEnemyScoreTenThenAHundred)
{
    placePlayer(500.0f, 500.0f);
    world.bestScore = 50;
    addEnemy(100.0f, 100.0f);
    addPlayerShot(100.0f, 95.0f);
    addPlayerShot(100.0f, 105.0f);
    const auto third = addPlayerShot(105.0f, 100.0f);
    world.update();
    EXPECT_EQ(world.score, 110);
    EXPECT_EQ(world.bestScore, 110);
    EXPECT_TRUE(world.enemies.empty());
    ASSERT_EQ(world.playerBullets.size(), 1u);
    EXPECT_EQ(world.playerBullets.front(), third);
}

TEST_F(WorldUpdate, ShotsCountOnlyWithinTheirReach)
{
    // Bullet radius 2 and plane radius 8: a hit needs centres less than 10 apart, on
    // plain differences that ignore the seam.
    struct Case {
        float enemyX;
        float shotX;
        bool hits;
    };
    const Case cases[] = {{100.0f, 109.9f, true}, {100.0f, 110.0f, false}, {639.0f, 1.0f, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enemyX << " and " << c.shotX);
        world.enemies.clear();
        world.playerBullets.clear();
        world.score = 0;
        const auto enemy = addEnemy(c.enemyX, 100.0f);
        addPlayerShot(c.shotX, 100.0f);
        world.update();
        EXPECT_EQ(world.score, c.hits ? 10 : 0);
        EXPECT_EQ(enemy->hit, c.hits);
    }
}

TEST_F(WorldUpdate, ShotsPassThroughInvulnerableFighters)
{
    placePlayer(300.0f, 300.0f);
    world.player->invulnerableTimer = 30;
    const auto enemy = addEnemy(100.0f, 100.0f);
    enemy->invulnerableTimer = 30;
    addPlayerShot(100.0f, 100.0f);
    addEnemyShot(300.0f, 300.0f);
    addEnemy(300.0f, 305.0f); // would ram a vulnerable player
    world.update();
    EXPECT_EQ(world.score, 0);
    EXPECT_EQ(enemy->life, 1.0f);
    EXPECT_EQ(world.playerBullets.size(), 1u);
    EXPECT_EQ(world.enemyBullets.size(), 1u);
    EXPECT_EQ(world.player->life, 1.0f);
    EXPECT_FALSE(world.player->hit);
}

TEST_F(WorldUpdate, EnemyShotsWearDownThePlayerAndVanish)
{
    placePlayer(300.0f, 300.0f);
    addEnemy(50.0f, 50.0f);
    addEnemyShot(300.0f, 305.0f);
    addEnemyShot(295.0f, 300.0f);
    world.update();
    EXPECT_FLOAT_EQ(world.player->life, 0.8f);
    EXPECT_TRUE(world.player->hit);
    EXPECT_EQ(world.player->invulnerableTimer, 0);
    EXPECT_TRUE(world.enemyBullets.empty());
    world.update();
    EXPECT_FALSE(world.player->hit) << "shown again the frame after";
}

TEST_F(WorldUpdate, AWreckStillAbsorbsShotsButIsNoLongerRammed)
{
    placePlayer(300.0f, 300.0f);
    world.player->life = 0.05f;
    addEnemyShot(300.0f, 305.0f); // destroys the player
    addEnemyShot(305.0f, 300.0f); // and is still taken by the wreck
    const auto enemy = addEnemy(300.0f, 295.0f);
    world.update();
    EXPECT_FALSE(world.player->alive);
    EXPECT_TRUE(world.enemyBullets.empty());
    EXPECT_EQ(enemy->life, 1.0f);
    EXPECT_EQ(world.player->invulnerableTimer, 0);
}

TEST_F(WorldUpdate, TwoEnemiesRamThePlayerInOneFrame)
{
    placePlayer(300.0f, 300.0f);
    const auto first = addEnemy(300.0f, 290.0f);
    const auto second = addEnemy(310.0f, 300.0f);
    world.update();
    EXPECT_FLOAT_EQ(world.player->life, 0.6f);
    EXPECT_EQ(world.player->invulnerableTimer, 60);
    EXPECT_TRUE(world.player->hit);
    for (const auto& enemy : {first, second}) {
        EXPECT_FLOAT_EQ(enemy->life, 0.2f);
        EXPECT_EQ(enemy->invulnerableTimer, 60);
        EXPECT_TRUE(enemy->hit);
    }
    EXPECT_EQ(world.score, 0); // ramming scores nothing
}

TEST_F(WorldUpdate, OnlyALiveVulnerableEnemyRams)
{
    struct Case {
        const char* what;
        std::int32_t enemyTimer;
        bool shotDown;
    };
    const Case cases[] = {{"invulnerable", 30, false}, {"shot down in this frame", 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world.enemies.clear();
        world.player = std::make_shared<Player>();
        placePlayer(300.0f, 300.0f);
        const auto enemy = addEnemy(300.0f, 295.0f);
        enemy->invulnerableTimer = c.enemyTimer;
        if (c.shotDown) {
            enemy->life = 0.5f;
            addPlayerShot(300.0f, 290.0f);
        }
        world.update();
        EXPECT_EQ(world.player->life, 1.0f);
    }
}

TEST_F(WorldUpdate, RammingStopsOnceThePlayerIsDestroyed)
{
    placePlayer(300.0f, 300.0f);
    world.player->life = 0.2f;
    addEnemy(300.0f, 290.0f);
    const auto second = addEnemy(310.0f, 300.0f);
    addEnemy(100.0f, 100.0f);
    world.update();
    EXPECT_FALSE(world.player->alive);
    EXPECT_EQ(second->life, 1.0f);
    EXPECT_TRUE(world.gameOver);
    EXPECT_FALSE(world.cleared);
}

TEST_F(WorldUpdate, ClearComesBeforeGameOverWhenBothHappenInOneFrame)
{
    LogCapture log;
    placePlayer(300.0f, 300.0f);
    world.player->life = 0.2f;
    world.gameOver = false;
    addEnemy(300.0f, 300.0f)->life = 0.8f;
    world.update();
    EXPECT_TRUE(world.cleared);
    EXPECT_FALSE(world.gameOver);
    EXPECT_EQ(world.enemyCount, 15);
    EXPECT_EQ(log.messages(), std::vector<std::string>{"S T A G E   C L E A R !"});

    log.clear();
    world.update();
    EXPECT_TRUE(world.gameOver);
    EXPECT_EQ(log.messages(), std::vector<std::string>{"G A M E   O V E R"});
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_INFO);

    log.clear();
    world.update();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(world.enemyCount, 15);
}

TEST_F(WorldUpdate, EachClearedWaveAddsFiveUpToAHundred)
{
    struct Case {
        std::int32_t before;
        std::int32_t after;
    };
    const Case cases[] = {{10, 15}, {95, 100}, {100, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        world.cleared = false;
        world.enemyCount = c.before;
        world.update();
        EXPECT_TRUE(world.cleared);
        EXPECT_EQ(world.enemyCount, c.after);
    }
}

TEST_F(WorldUpdate, DeadObjectsLeaveTheirLists)
{
    placePlayer(500.0f, 500.0f);
    addEnemy(100.0f, 100.0f);
    const auto ageing = addPlayerShot(300.0f, 300.0f);
    ageing->life = 0.01f; // runs out in this update
    const auto dead = addEnemy(200.0f, 200.0f);
    dead->alive = false;
    world.update();
    EXPECT_EQ(world.enemies.size(), 1u);
    EXPECT_TRUE(world.playerBullets.empty());
    EXPECT_FALSE(world.cleared);
}
