#include "tile_set.h"

#include "ground_textures.h"
#include "pixel_art.h"
#include "sheet_layout.h"
#include "tile_decorations.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uint8_t DEFAULT_TILE = 70; // what the game shows without a map: plain grass
constexpr double CONTOUR_WOBBLE = 0.3;    // how far the coastline strays from a straight blend

int key(const Corners& c)
{
    return ((c.topLeft * LEVEL_COUNT + c.topRight) * LEVEL_COUNT + c.bottomLeft) * LEVEL_COUNT +
           c.bottomRight;
}

void paintTile(Image& sheet, std::uint8_t tile, const Corners& c, const GroundTextures& g)
{
    const int left = (tile & 15) * CELL;
    const int top = (tile >> 4) * CELL;
    for (int y = 0; y < CELL; ++y) {
        for (int x = 0; x < CELL; ++x) {
            const double u = (x + 0.5) / CELL;
            const double v = (y + 0.5) / CELL;
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
    for (int row = 0; row < SHEET_SIZE / CELL; ++row) {
        for (int col = 0; col < SHEET_SIZE / CELL; ++col) {
            const int x = col * CELL;
            const int y = row * CELL;
            bool taken = false;
            for (const SheetRegion& r : TAKEN) {
                taken = taken || (x < r.x + r.w && r.x < x + CELL && y < r.y + r.h && r.y < y + CELL);
            }
            const auto tile = static_cast<std::uint8_t>(row * 16 + col);
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
        paintArt(sheet, (tile & 15) * CELL, (tile >> 4) * CELL, {d.rows.begin(), d.rows.end()},
                 DECORATION_INKS);
        tiles[key(plain)].push_back(tile);
    }
}

const std::vector<std::uint8_t>& TileSet::tilesFor(const Corners& corners) const
{
    return tiles.at(key(corners));
}
