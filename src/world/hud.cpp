// SPDX-License-Identifier: Zlib
#include "platform/platform_context.h"
#include "platform/sprite_sheet.h"
#include "world/world.h"

#include <SDL.h>

namespace {

struct Colour {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;
};

// Scores along the top.
constexpr ScreenPoint SCORE_LABEL_POS{8, 0};
constexpr ScreenPoint SCORE_ONES_POS{64, 8};
constexpr ScreenPoint BEST_LABEL_POS{128, 0};
constexpr ScreenPoint BEST_ONES_POS{184, 8};
constexpr int DIGIT_SIZE = 8;

// Life bar along the bottom: two ends around 20 middle cells, the fill over them.
constexpr ScreenPoint BAR_LEFT_END_POS{72, 228};
constexpr ScreenPoint BAR_RIGHT_END_POS{240, 228};
constexpr int BAR_MIDDLE_X = 80;
constexpr int BAR_MIDDLE_CELLS = 20;
constexpr int BAR_CELL_WIDTH = 8;
constexpr int BAR_Y = 228;
constexpr Colour LIFE_FILL_COLOUR{228, 0, 88, 255};
constexpr int LIFE_FILL_X = 80;
constexpr int LIFE_FILL_Y = 229;
constexpr int LIFE_FILL_HEIGHT = 6;
constexpr double LIFE_FILL_FULL_WIDTH = 160.0; // pixels at a life of 1.0

// Radar in the top-right corner: 300 world units shown as 22 pixels from its centre.
constexpr Colour BLIP_COLOUR{255, 0, 0, 255};
constexpr Colour RADAR_FRAME_COLOUR{255, 255, 255, 255};
constexpr ScreenPoint RADAR_FRAME_POS{268, 4};
constexpr int RADAR_CENTRE_X = 292;
constexpr int RADAR_CENTRE_Y = 28;
constexpr int RADAR_RANGE = 300;            // world units, exclusive
constexpr double RADAR_RANGE_PIXELS = 22.0; // screen pixels for RADAR_RANGE
constexpr int BLIP_SIZE = 2;

void setDrawColour(const Colour& c)
{
    SDL_SetRenderDrawColor(platform.renderer, c.r, c.g, c.b, c.a);
}

void fillRect(int x, int y, int w, int h)
{
    const SDL_Rect rect{x, y, w, h};
    SDL_RenderFillRect(platform.renderer, &rect);
}

// Right-aligned from the ones digit leftwards; no sign, no leading zeros.
void drawHudNumber(std::int32_t value, ScreenPoint ones)
{
    if (value == 0) {
        drawSprite(ones, hudDigit(0), SDL_FLIP_NONE);
        return;
    }
    for (; value != 0; value /= 10) {
        drawSprite(ones, hudDigit(value % 10), SDL_FLIP_NONE);
        ones.x -= DIGIT_SIZE;
    }
}

// A blip for the image (qx, qy) of an enemy when it lies strictly within range.
void drawBlip(double qx, double qy, double px, double py)
{
    const int dx = static_cast<int>(qx - px);
    const int dy = static_cast<int>(qy - py);
    if (dx * dx + dy * dy >= RADAR_RANGE * RADAR_RANGE) {
        return;
    }
    const int x =
        static_cast<int>(dx / static_cast<double>(RADAR_RANGE) * RADAR_RANGE_PIXELS + RADAR_CENTRE_X);
    const int y =
        static_cast<int>(dy / static_cast<double>(RADAR_RANGE) * RADAR_RANGE_PIXELS + RADAR_CENTRE_Y);
    fillRect(x, y, BLIP_SIZE, BLIP_SIZE);
}

} // namespace

void World::drawScores() const
{
    drawSprite(SCORE_LABEL_POS, SCORE_LABEL, SDL_FLIP_NONE);
    drawHudNumber(score, SCORE_ONES_POS);
    drawSprite(BEST_LABEL_POS, BEST_LABEL, SDL_FLIP_NONE);
    drawHudNumber(bestScore, BEST_ONES_POS);
}

void World::drawLifeBar() const
{
    if (!player) {
        return;
    }
    drawSprite(BAR_LEFT_END_POS, LIFE_BAR_LEFT_END, SDL_FLIP_NONE);
    drawSprite(BAR_RIGHT_END_POS, LIFE_BAR_RIGHT_END, SDL_FLIP_NONE);
    for (int i = 0; i < BAR_MIDDLE_CELLS; ++i) {
        drawSprite({BAR_MIDDLE_X + BAR_CELL_WIDTH * i, BAR_Y}, LIFE_BAR_MIDDLE, SDL_FLIP_NONE);
    }
    setDrawColour(LIFE_FILL_COLOUR);
    const int width = static_cast<int>(LIFE_FILL_FULL_WIDTH * static_cast<double>(player->life));
    // SDL's software renderer widens an empty rectangle to one pixel: no life, no fill.
    if (width > 0) {
        fillRect(LIFE_FILL_X, LIFE_FILL_Y, width, LIFE_FILL_HEIGHT);
    }
}

void World::drawRadar() const
{
    if (!player) {
        return;
    }
    setDrawColour(BLIP_COLOUR);
    const double px = player->x;
    const double py = player->y;
    const double world = WORLD_SIZE;
    const double half = world / 2.0;
    for (const auto& enemy : enemies) {
        const double ex = enemy->x;
        const double ey = enemy->y;
        // The enemy, then its images one world away along x and along y, towards the player.
        drawBlip(ex, ey, px, py);
        drawBlip(px < half ? ex - world : ex + world, ey, px, py);
        drawBlip(ex, py < half ? ey - world : ey + world, px, py);
    }
    setDrawColour(RADAR_FRAME_COLOUR);
    drawSprite(RADAR_FRAME_POS, RADAR_FRAME, SDL_FLIP_NONE);
}
