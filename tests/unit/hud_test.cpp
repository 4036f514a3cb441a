// SPDX-License-Identifier: Zlib
#include "support/drawn_world.h"
#include "support/synthetic_sheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr std::uint32_t LIFE_FILL = 0xE40058FF;
constexpr std::uint32_t BLIP_RED = 0xFF0000FF;
// The frame's inside, see-through so that the blips under it show.
constexpr SheetRect RADAR_WINDOW{RADAR_FRAME.x + 1, RADAR_FRAME.y + 1, RADAR_FRAME.w - 2, RADAR_FRAME.h - 2};

int countColour(const SoftwareCanvas& canvas, std::uint32_t colour)
{
    return countPixels(canvas, [colour](std::uint32_t p) { return p == colour; });
}

} // namespace

TEST(Hud, ScoresAreDrawnRightAlignedFromTheirOnesDigit)
{
    struct Case {
        std::int32_t score;
        std::int32_t bestScore;
        std::vector<int> scoreDigits; // ones first
        std::vector<int> bestDigits;
    };
    const Case cases[] = {
        {0, 0, {0}, {0}},
        {100, 1234, {0, 0, 1}, {4, 3, 2, 1}},
        {1234, 90, {4, 3, 2, 1}, {0, 9}},
    };
    DrawnWorld drawn;
    ASSERT_TRUE(drawn.sheet.loaded);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        drawn.canvas.clear();
        drawn.world.score = c.score;
        drawn.world.bestScore = c.bestScore;
        drawn.world.drawScores();
        EXPECT_TRUE(showsRegion(drawn.canvas, {8, 0}, SCORE_LABEL));
        EXPECT_TRUE(showsRegion(drawn.canvas, {128, 0}, BEST_LABEL));
        for (size_t i = 0; i < c.scoreDigits.size(); ++i) {
            EXPECT_TRUE(
                showsRegion(drawn.canvas, {64 - 8 * static_cast<int>(i), 8}, hudDigit(c.scoreDigits[i])));
        }
        for (size_t i = 0; i < c.bestDigits.size(); ++i) {
            EXPECT_TRUE(
                showsRegion(drawn.canvas, {184 - 8 * static_cast<int>(i), 8}, hudDigit(c.bestDigits[i])));
        }
        const int digits = static_cast<int>(c.scoreDigits.size() + c.bestDigits.size());
        EXPECT_EQ(countPixels(drawn.canvas, [](std::uint32_t p) { return p != 0; }),
                  40 * 8 + 56 * 8 + 64 * digits)
            << "no leading zeros, nothing else drawn";
    }
}

TEST(Hud, LifeBarFillIsTruncatedFromTheLifeAndNeverNegative)
{
    struct Case {
        float life;
        int width;
    };
    // 0.9f is a hair below 0.9: 143.99999 pixels, which a float product would round to 144.
    const Case cases[] = {{1.0f, 160},   {0.5f, 80}, {0.05f, 8}, {0.9f, 143},
                          {0.999f, 159}, {0.0f, 0},  {-0.5f, 0}};
    DrawnWorld drawn;
    ASSERT_TRUE(drawn.sheet.loaded);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.life);
        drawn.canvas.clear();
        drawn.world.player->life = c.life;
        drawn.world.drawLifeBar();
        EXPECT_EQ(countColour(drawn.canvas, LIFE_FILL), c.width * 6);
        for (int y = 229; y < 235; ++y) {
            if (c.width > 0) {
                EXPECT_EQ(drawn.canvas.pixel(80, y), LIFE_FILL);
                EXPECT_EQ(drawn.canvas.pixel(79 + c.width, y), LIFE_FILL);
            }
            EXPECT_NE(drawn.canvas.pixel(80 + c.width, y), LIFE_FILL);
        }
        // The cells show round the fill, and wholly where there is none.
        EXPECT_TRUE(showsRegion(drawn.canvas, {72, 228}, LIFE_BAR_LEFT_END));
        EXPECT_TRUE(showsRegion(drawn.canvas, {240, 228}, LIFE_BAR_RIGHT_END));
        for (int i = 0; i < 20; ++i) {
            const int x = 80 + 8 * i;
            EXPECT_TRUE(showsRegion(drawn.canvas, {x, 228},
                                    {LIFE_BAR_MIDDLE.x, LIFE_BAR_MIDDLE.y, LIFE_BAR_MIDDLE.w, 1}));
            EXPECT_TRUE(showsRegion(drawn.canvas, {x, 235},
                                    {LIFE_BAR_MIDDLE.x, LIFE_BAR_MIDDLE.y + 7, LIFE_BAR_MIDDLE.w, 1}));
            if (x >= 80 + c.width) {
                EXPECT_TRUE(showsRegion(drawn.canvas, {x, 228}, LIFE_BAR_MIDDLE)) << "cell " << i;
            }
        }
    }
}

TEST(Hud, RadarShowsEnemiesStrictlyWithinRangeAcrossOneSeam)
{
    struct Case {
        const char* what;
        float playerX, playerY, enemyX, enemyY;
        bool blip;
        ScreenPoint at;
    };
    const Case cases[] = {
        {"300 to the right is out of range", 100, 100, 400, 100, false, {}},
        {"299.9 to the right counts as 299", 100, 100, 399.9f, 100, true, {313, 28}},
        {"150 above", 300, 300, 300, 150, true, {292, 17}},
        {"half a unit to the left truncates to 0", 100.5f, 100, 100, 100, true, {292, 28}},
        {"across the x seam", 10, 10, 630, 10, true, {290, 28}},
        {"across the y seam", 10, 630, 10, 5, true, {292, 29}},
        {"across the corner is not looked at", 10, 10, 630, 630, false, {}},
        {"the image shifted right", 400, 400, 10, 400, true, {310, 28}},
    };
    DrawnWorld drawn({RADAR_WINDOW});
    ASSERT_TRUE(drawn.sheet.loaded);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        drawn.canvas.clear();
        drawn.world.player->x = c.playerX;
        drawn.world.player->y = c.playerY;
        drawn.world.enemies = {std::make_shared<Enemy>(c.enemyX, c.enemyY, 0.0f)};
        drawn.world.drawRadar();
        EXPECT_EQ(countColour(drawn.canvas, BLIP_RED), c.blip ? 4 : 0);
        if (c.blip) {
            EXPECT_EQ(drawn.canvas.pixel(c.at.x, c.at.y), BLIP_RED);
            EXPECT_EQ(drawn.canvas.pixel(c.at.x + 1, c.at.y + 1), BLIP_RED);
        }
    }
}

TEST(Hud, RadarShowsEveryEnemyInTheListDeadOrAlive)
{
    DrawnWorld drawn({RADAR_WINDOW});
    ASSERT_TRUE(drawn.sheet.loaded);
    drawn.world.player->x = 300;
    drawn.world.player->y = 300;
    drawn.world.player->alive = false;
    drawn.world.enemies = {std::make_shared<Enemy>(450.0f, 300.0f, 0.0f),
                           std::make_shared<Enemy>(300.0f, 150.0f, 0.0f),
                           std::make_shared<Enemy>(100.0f, 600.0f, 0.0f)};
    drawn.world.enemies.front()->alive = false;
    drawn.world.drawRadar();
    EXPECT_EQ(countColour(drawn.canvas, BLIP_RED), 8);
    EXPECT_EQ(drawn.canvas.pixel(303, 28), BLIP_RED);
    EXPECT_EQ(drawn.canvas.pixel(292, 17), BLIP_RED);
}

TEST(Hud, RadarFrameIsDrawnOverTheBlips)
{
    DrawnWorld drawn; // an opaque frame hides whatever lies under it
    ASSERT_TRUE(drawn.sheet.loaded);
    drawn.world.player->x = 100;
    drawn.world.player->y = 100;
    drawn.world.enemies = {std::make_shared<Enemy>(150.0f, 120.0f, 0.0f)};
    drawn.world.drawRadar();
    EXPECT_TRUE(showsRegion(drawn.canvas, {268, 4}, RADAR_FRAME));
    EXPECT_EQ(countColour(drawn.canvas, BLIP_RED), 0);
}
