// SPDX-License-Identifier: Zlib
#include "platform/platform_context.h"
#include "world/game_objects.h"

#include "support/software_canvas.h"
#include "support/synthetic_sheet.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Objects draw into platform.renderer; here that is a canvas with the synthetic sheet.
class ObjectDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sheet.loaded);
        platform.renderer = canvas.renderer;
    }
    void TearDown() override { platform.renderer = nullptr; }

    int drawnPixels() const
    {
        return countPixels(canvas, [](std::uint32_t p) { return p != 0; });
    }

    SoftwareCanvas canvas;
    SyntheticSheet sheet{canvas.renderer};
};

constexpr ScreenPoint SCREEN_MIDDLE_PLANE{152, 112};

} // namespace

TEST_F(ObjectDrawing, PlayerBlinksTwoFramesInFourAndHidesWhenHitOrDead)
{
    struct Case {
        std::int32_t timer;
        bool hit;
        bool alive;
        bool drawn;
    };
    const Case cases[] = {
        {0, false, true, true},     {1, false, true, true}, {2, false, true, false},
        {3, false, true, false},    {4, false, true, true}, {65535, false, true, false},
        {65533, false, true, true}, {0, true, true, false}, {0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "timer " << c.timer << " hit " << c.hit << " alive " << c.alive);
        canvas.clear();
        auto player = std::make_shared<Player>();
        player->invulnerableTimer = c.timer;
        player->hit = c.hit;
        player->alive = c.alive;
        player->draw(Camera{});
        if (c.drawn) {
            // Up-left: the player's third frame, in the middle of the screen.
            EXPECT_TRUE(showsRegion(canvas, SCREEN_MIDDLE_PLANE, planeFrame(PLAYER_PLANES_Y, 2)));
            EXPECT_EQ(drawnPixels(), 16 * 16);
        } else {
            EXPECT_EQ(drawnPixels(), 0);
        }
    }
}

TEST_F(ObjectDrawing, EnemyHidesOnOddTimerFramesAndMirrorsRightwardHeadings)
{
    struct Case {
        float angle; // radians from +x towards +y
        std::int32_t timer;
        bool drawn;
        SheetRect frame;
        SDL_RendererFlip flip;
    };
    const Case cases[] = {
        {0.0f, 0, true, planeFrame(ENEMY_PLANES_Y, 4), SDL_FLIP_HORIZONTAL},  // right
        {3.1415927f, 0, true, planeFrame(ENEMY_PLANES_Y, 4), SDL_FLIP_NONE},  // left
        {-1.5707964f, 0, true, planeFrame(ENEMY_PLANES_Y, 0), SDL_FLIP_NONE}, // up, a hair to the left
        {2.3561945f, 60, true, planeFrame(ENEMY_PLANES_Y, 6), SDL_FLIP_NONE}, // down-left
        {0.0f, 59, false, {}, SDL_FLIP_NONE},
        {0.0f, 1, false, {}, SDL_FLIP_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "angle " << c.angle << " timer " << c.timer);
        canvas.clear();
        auto enemy = std::make_shared<Enemy>(200.0f, 150.0f, c.angle);
        enemy->invulnerableTimer = c.timer;
        enemy->draw(Camera{100, 100});
        if (c.drawn) {
            EXPECT_TRUE(showsRegion(canvas, {92, 42}, c.frame, c.flip));
            EXPECT_EQ(drawnPixels(), 16 * 16);
        } else {
            EXPECT_EQ(drawnPixels(), 0);
        }
    }
}

TEST_F(ObjectDrawing, EnemyJustPastTheSeamIsDrawnBesideTheCamera)
{
    auto enemy = std::make_shared<Enemy>(10.0f, 150.0f, -1.5707964f);
    enemy->draw(Camera{500, 100});
    EXPECT_TRUE(showsRegion(canvas, {142, 42}, planeFrame(ENEMY_PLANES_Y, 0)));
}

TEST_F(ObjectDrawing, BulletTurnsWithItsHeading)
{
    // Where the sheet's top-left bullet pixel lands for each heading, turned clockwise
    // about the sprite's centre.
    struct Case {
        float dirX, dirY;
        ScreenPoint topLeftPixel;
    };
    const Case cases[] = {
        {1.0f, 0.0f, {96, 46}},   // right: 0 degrees
        {0.0f, 1.0f, {103, 46}},  // down: 90 degrees
        {-1.0f, 0.0f, {103, 53}}, // left: 180 degrees
        {0.0f, -1.0f, {96, 53}},  // up: 270 degrees
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dirX << ", " << c.dirY);
        canvas.clear();
        auto bullet = std::make_shared<Bullet>(200.0f, 150.0f, c.dirX, c.dirY);
        bullet->draw(Camera{100, 100});
        EXPECT_EQ(sheetPixelAt(canvas, c.topLeftPixel.x, c.topLeftPixel.y),
                  (SheetPixel{BULLET_SPRITE.x, BULLET_SPRITE.y}));
        EXPECT_EQ(drawnPixels(), 8 * 8);
    }
}
