// SPDX-License-Identifier: Zlib
#include "platform/sprite_sheet.h"
#include "support/log_capture.h"
#include "support/software_canvas.h"
#include "support/synthetic_sheet.h"
#include "support/temp_work_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

int drawnPixels(const SoftwareCanvas& canvas)
{
    return countPixels(canvas, [](std::uint32_t p) { return p != 0; });
}

// A canvas with the synthetic sheet loaded for its renderer.
class SheetDrawing : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sheet.loaded); }

    SoftwareCanvas canvas;
    SyntheticSheet sheet{canvas.renderer};
};

} // namespace

TEST_F(SheetDrawing, EveryCharacterDrawsItsOwnGlyphCell)
{
    struct Case {
        char c;
        bool large;
        SheetRect cell;
    };
    const Case cases[] = {
        {'A', false, {192, 80, 8, 8}},     {'H', false, {248, 80, 8, 8}},    {'I', false, {192, 88, 8, 8}},
        {'P', false, {248, 88, 8, 8}},     {'Q', false, {192, 96, 8, 8}},    {'X', false, {248, 96, 8, 8}},
        {'Y', false, {192, 104, 8, 8}},    {'Z', false, {200, 104, 8, 8}},   {'0', false, {168, 8, 8, 8}},
        {'9', false, {240, 8, 8, 8}},      {'!', false, {208, 104, 8, 8}},   {'*', false, {224, 104, 8, 8}},
        {' ', false, {232, 104, 8, 8}},    {'a', false, {192, 80, 8, 8}},    {'.', false, {192, 80, 8, 8}},
        {'\n', false, {192, 80, 8, 8}},    {'\x80', false, {192, 80, 8, 8}}, {'A', true, {192, 112, 8, 16}},
        {'H', true, {248, 112, 8, 16}},    {'I', true, {192, 128, 8, 16}},   {'X', true, {248, 144, 8, 16}},
        {'Y', true, {192, 160, 8, 16}},    {'Z', true, {200, 160, 8, 16}},   {'0', true, {112, 128, 8, 16}},
        {'9', true, {184, 128, 8, 16}},    {'!', true, {208, 160, 8, 16}},   {'*', true, {224, 160, 8, 16}},
        {' ', true, {232, 160, 8, 16}},    {'z', true, {192, 112, 8, 16}},   {'\n', true, {192, 112, 8, 16}},
        {'\xFF', true, {192, 112, 8, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "byte " << int{static_cast<unsigned char>(c.c)} << " large " << c.large);
        canvas.clear();
        const char text[] = {c.c, '\0'};
        drawText({16, 104}, text, c.large);
        EXPECT_TRUE(showsRegion(canvas, {16, 104}, c.cell));
        EXPECT_EQ(drawnPixels(canvas), c.cell.w * c.cell.h);
    }
}

TEST_F(SheetDrawing, TextAdvancesEightPixelsPerCharacterSpacesIncluded)
{
    struct Case {
        const char* text;
        bool large;
        std::vector<SheetRect> cells;
    };
    const Case cases[] = {
        {"AB", true, {{192, 112, 8, 16}, {200, 112, 8, 16}}},
        {"A  B", false, {{192, 80, 8, 8}, {232, 104, 8, 8}, {232, 104, 8, 8}, {200, 80, 8, 8}}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        canvas.clear();
        drawText({16, 104}, c.text, c.large);
        int expectedPixels = 0;
        for (size_t i = 0; i < c.cells.size(); ++i) {
            EXPECT_TRUE(showsRegion(canvas, {16 + 8 * static_cast<int>(i), 104}, c.cells[i]))
                << "glyph " << i;
            expectedPixels += c.cells[i].w * c.cells[i].h;
        }
        EXPECT_EQ(drawnPixels(canvas), expectedPixels);
    }
}

TEST_F(SheetDrawing, NumbersDrawTheirDigitsAndReturnTheCharacterCount)
{
    struct Case {
        int value;
        std::string shown;
    };
    const Case cases[] = {{0, "0"}, {-5, "0"}, {INT_MIN, "0"}, {100, "100"}, {INT_MAX, "2147483647"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        canvas.clear();
        EXPECT_EQ(drawNumber({4, 50}, c.value, false), static_cast<int>(c.shown.size()));
        for (size_t i = 0; i < c.shown.size(); ++i) {
            const SheetRect digit{168 + 8 * (c.shown[i] - '0'), 8, 8, 8};
            EXPECT_TRUE(showsRegion(canvas, {4 + 8 * static_cast<int>(i), 50}, digit)) << "digit " << i;
        }
        EXPECT_EQ(drawnPixels(canvas), 64 * static_cast<int>(c.shown.size()));
    }
}

TEST_F(SheetDrawing, SpritesAreCopiedAtTheirOwnSizeMirroredOnRequest)
{
    const SDL_RendererFlip flips[] = {SDL_FLIP_NONE, SDL_FLIP_HORIZONTAL};
    for (SDL_RendererFlip flip : flips) {
        SCOPED_TRACE(flip);
        canvas.clear();
        drawSprite({30, 20}, SCORE_LABEL, flip);
        EXPECT_TRUE(showsRegion(canvas, {30, 20}, SCORE_LABEL, flip));
        EXPECT_EQ(drawnPixels(canvas), SCORE_LABEL.w * SCORE_LABEL.h);
    }
}

TEST_F(SheetDrawing, RotatedSpritesTurnClockwiseAboutTheirCentre)
{
    struct Case {
        float degrees;
        int turns; // quarter turns clockwise
    };
    const Case cases[] = {{0.0f, 0}, {90.0f, 1}, {180.0f, 2}, {270.0f, 3}};
    const SheetRect plane = planeFrame(ENEMY_PLANES_Y, 2);
    const ScreenPoint dst{100, 60};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        canvas.clear();
        drawSpriteRotated(dst, plane, c.degrees);
        for (int dy = 0; dy < 16; ++dy) {
            for (int dx = 0; dx < 16; ++dx) {
                // Undo the clockwise turns one at a time: screen (dx, dy) came from (dy, 15 - dx).
                int sx = dx;
                int sy = dy;
                for (int t = 0; t < c.turns; ++t) {
                    const int previousX = sx;
                    sx = sy;
                    sy = 15 - previousX;
                }
                ASSERT_EQ(sheetPixelAt(canvas, dst.x + dx, dst.y + dy),
                          (SheetPixel{plane.x + sx, plane.y + sy}))
                    << "at (" << dx << ", " << dy << ")";
            }
        }
        EXPECT_EQ(drawnPixels(canvas), 256);
    }
}

// Before loading, after a load that found no file, and after unloading, nothing is drawn
// and no SDL call is made.
TEST(SpriteSheet, WithoutASheetNothingIsDrawn)
{
    SoftwareCanvas canvas;
    TempWorkDir dir;
    LogCapture log;
    const auto drawEverything = [&canvas] {
        SDL_ClearError();
        drawSprite({0, 0}, planeFrame(PLAYER_PLANES_Y, 0), SDL_FLIP_HORIZONTAL);
        drawSpriteRotated({20, 0}, BULLET_SPRITE, 45.0f);
        drawText({0, 20}, "A1", false);
        EXPECT_EQ(drawNumber({0, 40}, 1234, true), 4);
        EXPECT_EQ(drawnPixels(canvas), 0);
        EXPECT_STREQ(SDL_GetError(), "");
    };
    drawEverything();
    EXPECT_FALSE(loadSpriteSheet(canvas.renderer));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_CRITICAL);
    EXPECT_EQ(log.lines()[0].message, SDL_GetError());
    EXPECT_NE(log.lines()[0].message.find("assets/sprites.png"), std::string::npos);
    drawEverything();
    unloadSpriteSheet();
    {
        SyntheticSheet sheet(canvas.renderer);
        ASSERT_TRUE(sheet.loaded);
    }
    drawEverything();
    EXPECT_EQ(log.lines().size(), 1u);
}
