// SPDX-License-Identifier: Zlib
#include "tile_set.h"

#include "ground_textures.h"
#include "pixel_art.h"
#include "platform/sheet_layout.h"
#include "tile_decorations.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Everything on the sheet that is not ground: tiles take the cells none of these touch.
constexpr SheetRect TAKEN[] = {
    {0, PLAYER_PLANES_Y, PLANE_SIZE* PLANE_FRAMES, PLANE_SIZE},
    {0, ENEMY_PLANES_Y, PLANE_SIZE* PLANE_FRAMES, PLANE_SIZE},
    BULLET_SPRITE,
    BEST_LABEL,
    {168, 8, 88, 8},  // small digits and the heads-up zero
    {232, 16, 24, 8}, // life bar
    EMBLEM,
    RADAR_FRAME,
    {192, 80, 64, 32},  // small letters and signs
    {192, 112, 64, 64}, // large letters and signs
    {112, 128, 80, 16}, // large digits
    TITLE_LOGO,
};

constexpr std::uint8_t DEFAULT_TILE = 70; // what the game shows without a map: plain grass
constexpr double CONTOUR_WOBBLE = 0.3;    // how far the coastline strays from a straight blend

int key(const Corners& c)
{
    return ((c.topLeft * LEVEL_COUNT + c.topRight) * LEVEL_COUNT + c.bottomLeft) * LEVEL_COUNT +
           c.bottomRight;
}

void paintTile(Image& sheet, std::uint8_t tile, const Corners& c, const GroundTextures& g)
{
    const int left = tileCell(tile).x;
    const int top = tileCell(tile).y;
    for (int y = 0; y < TILE_CELL_SIZE; ++y) {
        for (int x = 0; x < TILE_CELL_SIZE; ++x) {
            const double u = (x + 0.5) / TILE_CELL_SIZE;
            const double v = (y + 0.5) / TILE_CELL_SIZE;
            const double blend = (c.topLeft * (1 - u) + c.topRight * u) * (1 - v) +
                                 (c.bottomLeft * (1 - u) + c.bottomRight * u) * v;
            sheet.set(left + x, top + y, groundAt(g, blend + CONTOUR_WOBBLE * g.wobble[texel(x, y)], x, y));
        }
    }
}

// Free cells of the sheet, row by row, leaving the default tile's cell for plain grass.
std::vector<std::uint8_t> freeCells()
{
    std::vector<std::uint8_t> cells;
    for (int row = 0; row < SHEET_SIZE / TILE_CELL_SIZE; ++row) {
        for (int col = 0; col < SHEET_SIZE / TILE_CELL_SIZE; ++col) {
            const int x = col * TILE_CELL_SIZE;
            const int y = row * TILE_CELL_SIZE;
            bool taken = false;
            for (const SheetRect& r : TAKEN) {
                taken = taken || (x < r.x + r.w && r.x < x + TILE_CELL_SIZE && y < r.y + r.h &&
                                  r.y < y + TILE_CELL_SIZE);
            }
            const auto tile = static_cast<std::uint8_t>(row * TILE_SHEET_COLUMNS + col);
            if (!taken && tile != DEFAULT_TILE) {
                cells.push_back(tile);
            }
        }
    }
    return cells;
}

// Every corner combination over two neighbouring levels, plain tiles once each.
std::vector<Corners> allCorners()
{
    std::vector<Corners> out;
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        out.push_back({level, level, level, level});
    }
    for (int low = 0; low + 1 < LEVEL_COUNT; ++low) {
        for (int mask = 1; mask < 15; ++mask) {
            out.push_back({low + (mask & 1), low + ((mask >> 1) & 1), low + ((mask >> 2) & 1),
                           low + ((mask >> 3) & 1)});
        }
    }
    return out;
}

} // namespace

TileSet::TileSet(Image& sheet)
{
    const GroundTextures textures = makeGroundTextures();
    const std::vector<std::uint8_t> cells = freeCells();
    size_t next = 0;
    const auto takeCell = [&]() {
        if (next == cells.size()) {
            std::fprintf(stderr, "the sheet has no free cell left for ground tiles\n");
            std::abort();
        }
        return cells[next++];
    };
    for (const Corners& c : allCorners()) {
        const bool plainGrass = key(c) == key(Corners{});
        const std::uint8_t tile = plainGrass ? DEFAULT_TILE : takeCell();
        paintTile(sheet, tile, c, textures);
        tiles[key(c)].push_back(tile);
    }
    for (const Decoration& d : DECORATIONS) {
        const Corners plain{d.level, d.level, d.level, d.level};
        const std::uint8_t tile = takeCell();
        paintTile(sheet, tile, plain, textures);
        paintArt(sheet, tileCell(tile).x, tileCell(tile).y, {d.rows.begin(), d.rows.end()}, DECORATION_INKS);
        tiles[key(plain)].push_back(tile);
    }
}

const std::vector<std::uint8_t>& TileSet::tilesFor(const Corners& corners) const
{
    return tiles.at(key(corners));
}
