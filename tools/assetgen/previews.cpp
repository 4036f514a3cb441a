// SPDX-License-Identifier: Zlib
#include "previews.h"

#include "ground_map.h"
#include "platform/sheet_layout.h"

#include <string_view>

namespace {

constexpr int PREVIEW_SCALE = 4;
constexpr int CHECKER = 4; // sheet pixels per checkerboard square
constexpr int VIEW_W = 320;
constexpr int VIEW_H = 240;

void drawText(Image& view, const Image& sheet, int x, int y, std::string_view text, bool large)
{
    for (char ch : text) {
        const SheetRect cell = glyphCell(ch, large);
        view.drawRegion(sheet, cell.x, cell.y, 8, large ? 16 : 8, x, y);
        x += 8;
    }
}

// A heads-up number: right-aligned from its ones digit, with the display's own zero.
void drawHudNumber(Image& view, const Image& sheet, int onesX, int y, int value)
{
    do {
        const int digit = value % 10;
        const SheetRect cell = hudDigit(digit);
        view.drawRegion(sheet, cell.x, cell.y, cell.w, cell.h, onesX, y);
        onesX -= 8;
        value /= 10;
    } while (value > 0);
}

void drawScores(Image& view, const Image& sheet)
{
    view.drawRegion(sheet, SCORE_LABEL.x, SCORE_LABEL.y, SCORE_LABEL.w, SCORE_LABEL.h, 8, 0);
    drawHudNumber(view, sheet, 64, 8, 1230);
    view.drawRegion(sheet, BEST_LABEL.x, BEST_LABEL.y, BEST_LABEL.w, BEST_LABEL.h, 128, 0);
    drawHudNumber(view, sheet, 184, 8, 20500);
}

void drawHud(Image& view, const Image& sheet)
{
    drawScores(view, sheet);
    view.drawRegion(sheet, LIFE_BAR_LEFT_END.x, LIFE_BAR_LEFT_END.y, 8, 8, 72, 228);
    view.drawRegion(sheet, LIFE_BAR_RIGHT_END.x, LIFE_BAR_RIGHT_END.y, 8, 8, 240, 228);
    for (int i = 0; i < 20; ++i) {
        view.drawRegion(sheet, LIFE_BAR_MIDDLE.x, LIFE_BAR_MIDDLE.y, 8, 8, 80 + 8 * i, 228);
    }
    view.fill(80, 229, 112, 6, rgb(228, 0, 88));
    const int blips[][2] = {{280, 20}, {300, 38}, {287, 12}};
    for (const auto& b : blips) {
        view.fill(b[0], b[1], 2, 2, rgb(255, 0, 0));
    }
    view.drawRegion(sheet, RADAR_FRAME.x, RADAR_FRAME.y, RADAR_FRAME.w, RADAR_FRAME.h, 268, 4);
}

// A plane frame, mirrored for headings to the right as the game does.
void drawPlaneFrame(Image& view, const Image& sheet, int row, int column, bool mirror, int x, int y)
{
    for (int j = 0; j < PLANE_SIZE; ++j) {
        for (int i = 0; i < PLANE_SIZE; ++i) {
            const Rgba colour = sheet.get(column * PLANE_SIZE + (mirror ? PLANE_SIZE - 1 - i : i), row + j);
            if (colour.a != 0) {
                view.blend(x + i, y + j, colour);
            }
        }
    }
}

} // namespace

Image sheetPreview(const Image& sheet)
{
    Image out(sheet.width() * PREVIEW_SCALE, sheet.height() * PREVIEW_SCALE);
    const Image big = sheet.scaled(PREVIEW_SCALE);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const bool dark = ((x / (CHECKER * PREVIEW_SCALE)) + (y / (CHECKER * PREVIEW_SCALE))) % 2 == 1;
            out.set(x, y, dark ? rgb(92, 92, 104) : rgb(124, 124, 136));
        }
    }
    out.drawRegion(big, 0, 0, big.width(), big.height(), 0, 0);
    return out;
}

Image groundView(const Image& sheet, const std::vector<std::uint8_t>& mapFile, int cameraX, int cameraY,
                 int w, int h)
{
    Image view(w, h);
    const int tileX0 = cameraX / TILE_CELL_SIZE;
    const int tileY0 = cameraY / TILE_CELL_SIZE;
    for (int i = 0; i < h / TILE_CELL_SIZE + 2; ++i) {
        for (int j = 0; j < w / TILE_CELL_SIZE + 2; ++j) {
            const int row = (tileY0 + i) % MAP_SIZE;
            const int col = (tileX0 + j) % MAP_SIZE;
            const std::uint8_t tile = mapFile[static_cast<size_t>(BG_HEADER_SIZE + row * MAP_SIZE + col)];
            const SheetRect cell = tileCell(tile);
            view.drawRegion(sheet, cell.x, cell.y, cell.w, cell.h,
                            j * TILE_CELL_SIZE - (cameraX - tileX0 * TILE_CELL_SIZE),
                            i * TILE_CELL_SIZE - (cameraY - tileY0 * TILE_CELL_SIZE));
        }
    }
    return view;
}

Image playPreview(const Image& sheet, const std::vector<std::uint8_t>& mapFile)
{
    Image view = groundView(sheet, mapFile, 150, 40, VIEW_W, VIEW_H);
    drawPlaneFrame(view, sheet, PLAYER_PLANES_Y, 2, false, VIEW_W / 2 - 8, VIEW_H / 2 - 8);
    // Enemies at every heading, spread over sea, coast and land.
    for (int k = 0; k < 16; ++k) {
        const int column = k <= 8 ? k : 16 - k;
        drawPlaneFrame(view, sheet, ENEMY_PLANES_Y, column, k > 8, 12 + (k % 8) * 38,
                       40 + (k / 8) * 120 + (k % 3) * 18);
    }
    for (int k = 0; k < 6; ++k) {
        view.drawRegion(sheet, BULLET_SPRITE.x, BULLET_SPRITE.y, 8, 8, 180 + k * 10, 116 - k * 7);
    }
    drawHud(view, sheet);
    drawText(view, sheet, 16, 104, "M I S S I O N", true);
    drawText(view, sheet, 16, 128, "DEFEAT 10 ENEMIES", false);
    return view.scaled(2);
}

Image titlePreview(const Image& sheet)
{
    Image view(VIEW_W, VIEW_H);
    view.fill(0, 0, VIEW_W, VIEW_H, rgb(0, 0, 0));
    view.drawRegion(sheet, TITLE_LOGO.x, TITLE_LOGO.y, TITLE_LOGO.w, TITLE_LOGO.h, 40, 56);
    drawText(view, sheet, 60, 128, "A L P H A   V E R S I O N", false);
    drawText(view, sheet, 96, 144, "PRESS ANY BUTTON", false);
    drawText(view, sheet, 72, 212, "2024 PLORVIK FLIGHT CO", false);
    view.drawRegion(sheet, EMBLEM.x, EMBLEM.y, EMBLEM.w, EMBLEM.h, 140, 224);
    drawScores(view, sheet);
    return view.scaled(2);
}
