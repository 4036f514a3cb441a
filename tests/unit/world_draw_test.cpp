// SPDX-License-Identifier: Zlib
#include "support/drawn_world.h"
#include "support/synthetic_sheet.h"
#include "world/map_file.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

enum class MapCoding { BY_COLUMN, BY_ROW };

// Every tile byte is its map column, or its map row, so the ground tells where it came from.
std::vector<std::uint8_t> codedMap(MapCoding coding)
{
    std::vector<std::uint8_t> map(MAP_SIZE * MAP_SIZE);
    for (int row = 0; row < MAP_SIZE; ++row) {
        for (int column = 0; column < MAP_SIZE; ++column) {
            map[static_cast<size_t>(row * MAP_SIZE + column)] =
                static_cast<std::uint8_t>(coding == MapCoding::BY_COLUMN ? column : row);
        }
    }
    return map;
}

void placePlayer(World& world, float x, float y)
{
    world.player->x = x;
    world.player->y = y;
}

} // namespace

TEST(WorldDraw, CameraCentresOnThePlayerWithinTheWorld)
{
    struct Case {
        float x, y;
        Camera expected;
    };
    const Case cases[] = {
        {160, 90, {0, 610}},    {5.9f, 5.9f, {485, 525}},     {150, 110, {630, 630}},
        {320, 240, {160, 120}}, {639.9f, 639.9f, {479, 519}}, {160, 120, {0, 0}},
    };
    DrawnWorld drawn;
    drawn.world.player->alive = false; // the view stays on the wreck
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        placePlayer(drawn.world, c.x, c.y);
        drawn.world.updateCamera();
        EXPECT_EQ(drawn.world.camera.x, c.expected.x);
        EXPECT_EQ(drawn.world.camera.y, c.expected.y);
    }
}

TEST(WorldDraw, GroundFollowsTheCameraAndWrapsTheMap)
{
    struct Case {
        const char* what;
        float playerX, playerY;
        MapCoding coding;
        ScreenPoint at;
        TileSample expected;
    };
    const Case cases[] = {
        {"start: first row is map row 38 at y = -2", 160, 90, MapCoding::BY_ROW, {0, 0}, {38, 0, 2}},
        {"start: then row 39", 160, 90, MapCoding::BY_ROW, {0, 14}, {39, 0, 0}},
        {"start: then row 0", 160, 90, MapCoding::BY_ROW, {0, 30}, {0, 0, 0}},
        {"start: no column offset", 160, 90, MapCoding::BY_COLUMN, {0, 0}, {0, 0, 2}},
        {"(5.9, 5.9): first column is 30 at x = -5", 5.9f, 5.9f, MapCoding::BY_COLUMN, {0, 0}, {30, 5, 13}},
        {"(5.9, 5.9): then column 31", 5.9f, 5.9f, MapCoding::BY_COLUMN, {11, 0}, {31, 0, 13}},
        {"camera (630, 630): last row first", 150, 110, MapCoding::BY_ROW, {0, 0}, {39, 6, 6}},
        {"camera (630, 630): bottom row", 150, 110, MapCoding::BY_ROW, {0, 239}, {14, 6, 5}},
        {"camera (630, 630): rightmost column", 150, 110, MapCoding::BY_COLUMN, {319, 0}, {19, 5, 6}},
    };
    DrawnWorld drawn;
    ASSERT_TRUE(drawn.sheet.loaded);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        drawn.canvas.clear();
        drawn.world.map = codedMap(c.coding);
        placePlayer(drawn.world, c.playerX, c.playerY);
        drawn.world.updateCamera();
        drawn.world.drawBackground();
        EXPECT_EQ(tileAt(drawn.canvas, c.at.x, c.at.y), c.expected);
        EXPECT_EQ(countPixels(drawn.canvas, [](std::uint32_t p) { return decodeSheetPixel(p).valid(); }),
                  SoftwareCanvas::WIDTH * SoftwareCanvas::HEIGHT)
            << "the ground covers the whole screen";
    }
}

TEST(WorldDraw, EveryTileByteNamesItsOwnSheetCell)
{
    DrawnWorld drawn;
    ASSERT_TRUE(drawn.sheet.loaded);
    for (const int tile : {0x2B, 0xFF, 0x00}) {
        SCOPED_TRACE(tile);
        drawn.world.map.assign(MAP_SIZE * MAP_SIZE, static_cast<std::uint8_t>(tile));
        drawn.world.camera = {0, 0};
        drawn.world.drawBackground();
        EXPECT_EQ(tileAt(drawn.canvas, 0, 0), (TileSample{tile, 0, 0}));
        EXPECT_EQ(tileAt(drawn.canvas, 319, 239), (TileSample{tile, 15, 15}));
    }
}

TEST(WorldDraw, LayersCoverTheOnesBeforeThemWithTheDisplayOnTop)
{
    DrawnWorld drawn;
    ASSERT_TRUE(drawn.sheet.loaded);
    World& world = drawn.world;
    const auto drawFrame = [&drawn] {
        drawn.canvas.clear();
        drawn.world.draw();
    };
    // Everything sits on the player, who starts at (160, 90), drawn at (152, 112).
    drawFrame();
    EXPECT_EQ(world.camera.x, 0);
    EXPECT_EQ(world.camera.y, 610);
    EXPECT_TRUE(showsRegion(drawn.canvas, {152, 112}, planeFrame(PLAYER_PLANES_Y, 2)));
    EXPECT_EQ(tileAt(drawn.canvas, 100, 100), (TileSample{TILE_DEFAULT, 4, 6}));

    world.enemies.push_back(std::make_shared<Enemy>(160.0f, 90.0f, 0.0f));
    drawFrame();
    EXPECT_TRUE(showsRegion(drawn.canvas, {152, 112}, planeFrame(ENEMY_PLANES_Y, 4), SDL_FLIP_HORIZONTAL));

    world.playerBullets.push_back(std::make_shared<Bullet>(160.0f, 90.0f, 1.0f, 0.0f));
    drawFrame();
    EXPECT_TRUE(showsRegion(drawn.canvas, {156, 116}, BULLET_SPRITE));

    world.enemyBullets.push_back(std::make_shared<Bullet>(160.0f, 90.0f, 0.0f, 1.0f));
    drawFrame();
    EXPECT_EQ(sheetPixelAt(drawn.canvas, 156, 116), (SheetPixel{BULLET_SPRITE.x, BULLET_SPRITE.y + 7}))
        << "turned a quarter clockwise";

    // An enemy right under the score label, and the life bar and radar over the ground.
    world.enemies.push_back(std::make_shared<Enemy>(16.0f, 618.0f, 0.0f));
    drawFrame();
    EXPECT_TRUE(showsRegion(drawn.canvas, {8, 0}, SCORE_LABEL));
    EXPECT_TRUE(showsRegion(drawn.canvas, {64, 8}, hudDigit(0)));
    EXPECT_EQ(drawn.canvas.pixel(80, 229), 0xE40058FFu);
    EXPECT_TRUE(showsRegion(drawn.canvas, {268, 4}, RADAR_FRAME));
}
