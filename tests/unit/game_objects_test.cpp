// SPDX-License-Identifier: Zlib
#include "world/game_objects.h"
#include "world/object_sprites.h"
#include "world/world.h"

#include "support/temp_work_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ios>
#include <memory>

namespace {

// Objects only read the World in the enemies' gun, which looks for the player: keep it
// far behind every enemy here.
class GameObjects : public testing::Test {
protected:
    GameObjects()
    {
        world.player = std::make_shared<Player>();
        world.player->x = 0.0f;
        world.player->y = 0.0f;
    }
    World& someWorld() { return world; }

    TempWorkDir dir;
    World world;
};

} // namespace

TEST_F(GameObjects, NormalizedLeavesTinyVectorsAlone)
{
    struct Case {
        Vec2 in;
        Vec2 out;
    };
    const Case cases[] = {
        {{3.0f, 4.0f}, {0.6f, 0.8f}},
        {{0.0f, -2.0f}, {0.0f, -1.0f}},
        {{0.0f, 0.0f}, {0.0f, 0.0f}},
        // 1e-4 squared twice is 2e-8, below float epsilon: returned as it is.
        {{1e-4f, 1e-4f}, {1e-4f, 1e-4f}},
        // Either side of the epsilon on the squared length: 1.156e-7 and 1.225e-7.
        {{3.4e-4f, 0.0f}, {3.4e-4f, 0.0f}},
        {{3.5e-4f, 0.0f}, {1.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.x << ", " << c.in.y);
        const Vec2 v = normalized(c.in);
        EXPECT_FLOAT_EQ(v.x, c.out.x);
        EXPECT_FLOAT_EQ(v.y, c.out.y);
    }
}

TEST_F(GameObjects, HeadingPicksThePlaneFrame)
{
    struct Case {
        float dirX, dirY;
        int frame;
        bool mirror;
    };
    const Case cases[] = {
        {0.0f, -1.0f, 0, false},                // up
        {-0.70710677f, -0.70710677f, 2, false}, // up-left, the player's start
        {-1.0f, 0.0f, 4, false},                // left
        {1.0f, 0.0f, 4, true},                  // right
        {-0.70710677f, 0.70710677f, 6, false},  // down-left
        {0.70710677f, 0.70710677f, 6, true},    // down-right
        {0.0f, 1.0f, 8, false},                 // down
        {-0.17364818f, -0.98480775f, 0, false}, // 10 degrees left of up
        {-0.21643962f, -0.97629601f, 1, false}, // 12.5 degrees left of up
        {0.21643962f, -0.97629601f, 1, true},   // 12.5 degrees right of up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dirX << ", " << c.dirY);
        const HeadingFrame frame = headingFrame(c.dirX, c.dirY);
        EXPECT_EQ(frame.index, c.frame);
        EXPECT_EQ(frame.mirror, c.mirror);
    }
}

TEST_F(GameObjects, WorldToScreenCorrectsAcrossTheSeam)
{
    struct Case {
        float x, y;
        int half;
        Camera camera;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {10.0f, 150.0f, 8, {500, 100}, {142, 42}},  // view past the right edge
        {630.0f, 150.0f, 8, {100, 100}, {522, 42}}, // no correction: off screen
        {600.0f, 150.0f, 8, {500, 100}, {92, 42}},  // right of the camera: unchanged
        {150.0f, 5.9f, 4, {0, 610}, {146, 31}},     // view past the bottom edge
        {5.9f, 5.9f, 8, {485, 525}, {152, 112}},    // both axes wrap
        // The bottom edge triggers the x correction too.
        {10.0f, 620.0f, 8, {100, 500}, {542, 112}},
        {100.9f, 200.9f, 4, {0, 0}, {96, 196}}, // truncation
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << ", " << c.y << " camera " << c.camera.x << ", " << c.camera.y);
        const ScreenPoint p = worldToScreen(c.x, c.y, c.half, c.camera, 320, 240);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
    }
}

TEST_F(GameObjects, MovementWrapsAtBothSeams)
{
    struct Case {
        float x, y, dirX, dirY;
        float expectedX, expectedY;
    };
    const Case cases[] = {
        {639.0f, 100.0f, 1.0f, 0.0f, 1.0f, 100.0f},
        {1.0f, 100.0f, -1.0f, 0.0f, 639.0f, 100.0f},
        {100.0f, 639.0f, 0.0f, 1.0f, 100.0f, 1.0f},
        {100.0f, 1.0f, 0.0f, -1.0f, 100.0f, 639.0f},
        {100.0f, 100.0f, 0.0f, 1.0f, 100.0f, 102.0f},
        // Just short of the seam: the step lands a hair below 0, which must not round to 640.
        {std::nextafter(2.0f, 0.0f), 100.0f, -1.0f, 0.0f, 0.0f, 100.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        auto player = std::make_shared<Player>();
        player->x = c.x;
        player->y = c.y;
        player->dirX = c.dirX;
        player->dirY = c.dirY;
        player->update(someWorld());
        EXPECT_FLOAT_EQ(player->x, c.expectedX);
        EXPECT_FLOAT_EQ(player->y, c.expectedY);
        EXPECT_EQ(player->cx, player->x);
        EXPECT_EQ(player->cy, player->y);
        EXPECT_LT(player->x, WORLD_SIZE);
        EXPECT_LT(player->y, WORLD_SIZE);
    }
}

TEST_F(GameObjects, FighterUpdateCountsTheTimerDownToZeroEvenWhenDead)
{
    auto enemy = std::make_shared<Enemy>(100.0f, 100.0f, 0.0f);
    enemy->invulnerableTimer = 2;
    enemy->alive = false;
    enemy->update(someWorld());
    EXPECT_EQ(enemy->invulnerableTimer, 1);
    EXPECT_FLOAT_EQ(enemy->x, 101.6f); // a wreck keeps drifting
    enemy->update(someWorld());
    enemy->update(someWorld());
    EXPECT_EQ(enemy->invulnerableTimer, 0);
}

TEST_F(GameObjects, BulletDiesOnItsThirtySixthUpdateAndStillMoves)
{
    auto bullet = std::make_shared<Bullet>(100.0f, 100.0f, 1.0f, 0.0f);
    bullet->update(someWorld());
    EXPECT_FLOAT_EQ(bullet->x, 106.0f);
    EXPECT_EQ(bullet->y, 100.0f);
    for (int i = 2; i <= 35; ++i) {
        bullet->update(someWorld());
    }
    EXPECT_TRUE(bullet->alive);
    const float xBefore = bullet->x;
    bullet->update(someWorld());
    EXPECT_FALSE(bullet->alive);
    EXPECT_LT(bullet->life, 0.0f);
    EXPECT_NE(bullet->x, xBefore);
}

TEST_F(GameObjects, DamageKillsAtZeroAndStartsOnlyAnIdleTimer)
{
    struct Case {
        float life;
        std::int32_t timer;
        float amount;
        bool makeInvulnerable;
        bool alive;
        std::int32_t timerAfter;
    };
    const Case cases[] = {
        {1.0f, 0, 0.5f, false, true, 0},  {0.5f, 0, 0.5f, false, false, 0}, // zero counts as dead
        {1.0f, 0, 0.2f, true, true, 60},  {1.0f, 30, 0.2f, true, true, 30},
        {0.1f, 0, 0.8f, true, false, 60}, {1.0f, 1, 0.8f, true, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.life << " timer " << c.timer << " amount " << c.amount);
        auto enemy = std::make_shared<Enemy>(0.0f, 0.0f, 0.0f);
        enemy->life = c.life;
        enemy->invulnerableTimer = c.timer;
        enemy->damage(c.amount, c.makeInvulnerable);
        EXPECT_FLOAT_EQ(enemy->life, c.life - c.amount);
        EXPECT_EQ(enemy->alive, c.alive);
        EXPECT_EQ(enemy->invulnerableTimer, c.timerAfter);
    }
}

TEST_F(GameObjects, EnemyHeadingIsTheSameOnDesktopAndBrowser)
{
    // Angles where glibc's float sine or cosine is a bit off from the browser build's;
    // the headings are the ones both builds fly, to the last bit.
    struct Case {
        float angle;
        float dirX, dirY;
    };
    const Case cases[] = {
        {0x1.4f9d92p+1f, -0x1.bc6d12p-1f, 0x1.fc725ap-2f},
        {0x1.000032p-1f, 0x1.c15268p-1f, 0x1.eaeeep-2f},
        {0x1.921fbap-1f, 0x1.6a09e4p-1f, 0x1.6a09eap-1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hexfloat << c.angle);
        const Enemy enemy(0.0f, 0.0f, c.angle);
        EXPECT_EQ(enemy.dirX, c.dirX) << std::hexfloat << enemy.dirX;
        EXPECT_EQ(enemy.dirY, c.dirY) << std::hexfloat << enemy.dirY;
    }
}
