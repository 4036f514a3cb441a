#include "terrain.h"

#include "pixel_art.h"
#include "prng.h"
#include "sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::uint8_t DEFAULT_TILE = 70; // the game's fallback ground: plain grass
constexpr std::uint64_t TEXTURE_SEED = 0x506C6F7276696B01ull;
constexpr std::uint64_t MAP_SEED = 0x506C6F7276696B02ull;
constexpr double CONTOUR_WOBBLE = 0.3; // how far the coastline strays from a straight blend
constexpr double VARIANT_CHANCE = 0.16;
// Share of the map's corners at or below each level.
constexpr double LEVEL_SHARE[LEVEL_COUNT] = {0.38, 0.52, 0.56, 0.85, 1.0};
constexpr char MAP_HEADER_TEXT[MAP_HEADER + 1] = "PLORVIK GROUND 40x40";

int key(const Corners& c)
{
    return ((c.topLeft * LEVEL_COUNT + c.topRight) * LEVEL_COUNT + c.bottomLeft) * LEVEL_COUNT +
           c.bottomRight;
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

// Value noise that repeats every `period` units on both axes, from `lattice` points a side.
class PeriodicNoise {
public:
    PeriodicNoise(int lattice, Prng& random) : size(lattice), values(static_cast<size_t>(lattice * lattice))
    {
        for (double& v : values) {
            v = random.range(-1.0, 1.0);
        }
    }
    // (x, y) in lattice units.
    double at(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const int x0 = static_cast<int>(fx);
        const int y0 = static_cast<int>(fy);
        const double tx = smooth(x - fx);
        const double ty = smooth(y - fy);
        const double top = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * tx;
        const double bottom = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * tx;
        return top + (bottom - top) * ty;
    }

private:
    double value(int x, int y) const
    {
        const int wx = ((x % size) + size) % size;
        const int wy = ((y % size) + size) % size;
        return values[static_cast<size_t>(wy * size + wx)];
    }
    int size;
    std::vector<double> values;
};

using Texture = std::array<Rgba, CELL * CELL>;

// Textures repeat every 16 pixels, so the same ground on two tiles always lines up.
struct GroundTextures {
    Texture deep;
    Texture shallow;
    Texture sand;
    Texture grass;
    Texture forest;
    std::array<double, CELL * CELL> wobble; // in [-1, 1]
};

size_t texel(int x, int y)
{
    return static_cast<size_t>(((y + CELL) % CELL) * CELL + (x + CELL) % CELL);
}

Texture speckled(Rgba base, Rgba dark, Rgba light, double darkShare, double lightShare, Prng& random)
{
    Texture t;
    for (Rgba& p : t) {
        const double roll = random.unit();
        p = roll < darkShare ? dark : roll < darkShare + lightShare ? light : base;
    }
    return t;
}

// Short horizontal glints of light on water.
void addGlints(Texture& t, Rgba glint, int count, int length, Prng& random)
{
    for (int n = 0; n < count; ++n) {
        const int x = random.below(CELL);
        const int y = random.below(CELL);
        for (int i = 0; i < length; ++i) {
            t[texel(x + i, y)] = glint;
        }
    }
}

// Round tree crowns lit from the top left, packed so that they wrap around the tile.
Texture forestTexture()
{
    const Rgba gap = rgb(22, 58, 30);
    const Rgba lit = rgb(84, 150, 64);
    const Rgba body = rgb(52, 116, 50);
    const Rgba shade = rgb(34, 86, 40);
    struct Crown {
        double x, y, r;
    };
    const Crown crowns[] = {{3.5, 3.5, 3.6},  {11.5, 2.5, 3.4},  {7.5, 9.0, 3.8},
                            {0.5, 12.0, 3.3}, {14.0, 10.5, 3.2}, {11.0, 15.0, 2.8}};
    Texture t;
    for (int y = 0; y < CELL; ++y) {
        for (int x = 0; x < CELL; ++x) {
            Rgba colour = gap;
            double nearest = 1e9;
            for (const Crown& c : crowns) {
                for (int oy = -1; oy <= 1; ++oy) {
                    for (int ox = -1; ox <= 1; ++ox) {
                        const double dx = x + 0.5 - (c.x + ox * CELL);
                        const double dy = y + 0.5 - (c.y + oy * CELL);
                        const double d = std::sqrt(dx * dx + dy * dy) / c.r;
                        // The crown nearest its own centre wins, so crowns overlap cleanly.
                        if (d < 1.0 && d < nearest) {
                            nearest = d;
                            const double light = (dx + dy) / c.r;
                            colour = light < -0.6 ? lit : light > 0.5 ? shade : body;
                        }
                    }
                }
            }
            t[texel(x, y)] = colour;
        }
    }
    return t;
}

GroundTextures makeTextures()
{
    Prng random(TEXTURE_SEED);
    GroundTextures g;
    g.deep = speckled(rgb(26, 62, 134), rgb(20, 52, 118), rgb(32, 72, 146), 0.10, 0.10, random);
    addGlints(g.deep, rgb(52, 96, 176), 3, 3, random);
    g.shallow = speckled(rgb(40, 118, 178), rgb(34, 106, 166), rgb(50, 132, 190), 0.10, 0.10, random);
    addGlints(g.shallow, rgb(100, 178, 222), 4, 2, random);
    g.sand = speckled(rgb(224, 200, 134), rgb(200, 172, 108), rgb(240, 222, 164), 0.14, 0.10, random);
    g.grass = speckled(rgb(80, 148, 62), rgb(62, 124, 50), rgb(104, 170, 76), 0.14, 0.08, random);
    g.forest = forestTexture();
    PeriodicNoise coarse(4, random);
    PeriodicNoise fine(8, random);
    for (int y = 0; y < CELL; ++y) {
        for (int x = 0; x < CELL; ++x) {
            const double u = (x + 0.5) / CELL;
            const double v = (y + 0.5) / CELL;
            g.wobble[texel(x, y)] = (coarse.at(u * 4, v * 4) * 0.7 + fine.at(u * 8, v * 8) * 0.3);
        }
    }
    return g;
}

// The ground at one pixel from the blended corner height there. Thresholds sit halfway
// between levels, with thin bands along each contour: a dithered drop-off between deep
// and shallow water, surf on the beach, wet sand, and a shadow at the forest's edge.
Rgba groundAt(const GroundTextures& g, double height, int x, int y)
{
    struct Band {
        double below;           // the band holds heights under this
        const Texture* texture; // null for a flat colour
        const Texture* dither;  // every other pixel, if set
        Rgba flat;
    };
    const Band bands[] = {
        {0.44, &g.deep, nullptr, {}},
        {0.56, &g.deep, &g.shallow, {}},
        {1.34, &g.shallow, nullptr, {}},
        {1.42, nullptr, nullptr, rgb(150, 214, 236)}, // surf
        {1.50, nullptr, nullptr, rgb(236, 248, 252)}, // breaking wave
        {1.62, nullptr, nullptr, rgb(190, 164, 104)}, // wet sand
        {2.46, &g.sand, nullptr, {}},
        {2.54, &g.sand, &g.grass, {}},
        {3.50, &g.grass, nullptr, {}},
        {3.62, nullptr, nullptr, rgb(30, 74, 36)}, // under the forest's eaves
    };
    const size_t i = texel(x, y);
    for (const Band& band : bands) {
        if (height < band.below) {
            if (band.texture == nullptr) {
                return band.flat;
            }
            const bool second = band.dither != nullptr && ((x + y) & 1) == 1;
            return second ? (*band.dither)[i] : (*band.texture)[i];
        }
    }
    return g.forest[i];
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

// Decorations for variants of plain tiles, kept two pixels clear of the edges.
struct Decoration {
    int level;
    std::array<std::string_view, CELL> rows;
};

const std::vector<Ink> DECORATION_INKS = {
    {'k', rgb(20, 30, 20, 150)}, {'w', rgb(240, 250, 255)}, {'c', rgb(150, 200, 236)},
    {'y', rgb(255, 230, 80)},    {'p', rgb(250, 250, 250)}, {'R', rgb(150, 84, 52)},
    {'r', rgb(112, 60, 40)},     {'W', rgb(236, 224, 196)}, {'d', rgb(90, 70, 50)},
    {'g', rgb(150, 150, 160)},   {'G', rgb(200, 200, 210)}, {'s', rgb(60, 50, 40, 120)},
};

// clang-format off
const Decoration DECORATIONS[] = {
    {DEEP_SEA, {{"................",
                "................",
                "................",
                "..........wcw...",
                "................",
                "................",
                "................",
                "................",
                "................",
                "...wcw..........",
                "................",
                "................",
                "................",
                "................",
                "................",
                "................"}}},
    {GRASS, {{"................",
             "................",
             "....y...........",
             "...ypy......p...",
             "....y......pyp..",
             "............p...",
             "................",
             "................",
             ".......y........",
             "......ypy.......",
             ".......y........",
             "..p.............",
             ".pyp.......y....",
             "..p.......ypy...",
             "...........y....",
             "................"}}},
    {GRASS, {{"................",
             "................",
             "................",
             "....rrrrrr......",
             "...rRRRRRRr.....",
             "..rRRRRRRRRr....",
             "..kWWWWWWWWk....",
             "..kWWdWWdWWks...",
             "..kWWdWWWWWks...",
             "..kkkkkkkkkks...",
             "...ssssssssss...",
             "................",
             "................",
             "................",
             "................",
             "................"}}},
    {SAND, {{"................",
            "................",
            "................",
            "................",
            "...GGg..........",
            "..GGggg.........",
            "..gggggs........",
            "...ssss.........",
            "................",
            "................",
            "..........Gg....",
            ".........GGgs...",
            "..........sss...",
            "................",
            "................",
            "................"}}},
};
// clang-format on

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
    const GroundTextures textures = makeTextures();
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
        const bool plainGrass = c.topLeft == GRASS && key(c) == key(Corners{});
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

namespace {

// Heights at the map's corners, from wrapping fractal noise cut into levels by share.
std::vector<int> cornerLevels(Prng& random)
{
    const PeriodicNoise broad(5, random);
    const PeriodicNoise middle(10, random);
    const PeriodicNoise detail(20, random);
    std::vector<double> height(MAP_TILES * MAP_TILES);
    for (int y = 0; y < MAP_TILES; ++y) {
        for (int x = 0; x < MAP_TILES; ++x) {
            const double u = static_cast<double>(x) / MAP_TILES;
            const double v = static_cast<double>(y) / MAP_TILES;
            height[static_cast<size_t>(y * MAP_TILES + x)] =
                broad.at(u * 5, v * 5) + 0.5 * middle.at(u * 10, v * 10) + 0.22 * detail.at(u * 20, v * 20);
        }
    }
    std::vector<double> sorted = height;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> levels(height.size());
    for (size_t i = 0; i < height.size(); ++i) {
        int level = 0;
        while (level + 1 < LEVEL_COUNT &&
               height[i] > sorted[static_cast<size_t>(LEVEL_SHARE[level] * (sorted.size() - 1))]) {
            ++level;
        }
        levels[i] = level;
    }
    return levels;
}

// Lowers corners until every corner is within one level of its eight neighbours, so each
// tile spans two neighbouring levels at most.
void limitSlopes(std::vector<int>& levels)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (int y = 0; y < MAP_TILES; ++y) {
            for (int x = 0; x < MAP_TILES; ++x) {
                int& here = levels[static_cast<size_t>(y * MAP_TILES + x)];
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = (x + dx + MAP_TILES) % MAP_TILES;
                        const int ny = (y + dy + MAP_TILES) % MAP_TILES;
                        const int there = levels[static_cast<size_t>(ny * MAP_TILES + nx)];
                        if (here > there + 1) {
                            here = there + 1;
                            changed = true;
                        }
                    }
                }
            }
        }
    }
}

} // namespace

std::vector<std::uint8_t> makeMapFile(const TileSet& tileSet)
{
    Prng random(MAP_SEED);
    std::vector<int> levels = cornerLevels(random);
    limitSlopes(levels);
    const auto level = [&levels](int x, int y) {
        return levels[static_cast<size_t>((y % MAP_TILES) * MAP_TILES + x % MAP_TILES)];
    };
    std::vector<std::uint8_t> file(MAP_HEADER_TEXT, MAP_HEADER_TEXT + MAP_HEADER);
    for (int y = 0; y < MAP_TILES; ++y) {
        for (int x = 0; x < MAP_TILES; ++x) {
            const Corners c{level(x, y), level(x + 1, y), level(x, y + 1), level(x + 1, y + 1)};
            const std::vector<std::uint8_t>& choices = tileSet.tilesFor(c);
            std::uint8_t tile = choices.front();
            if (choices.size() > 1 && random.unit() < VARIANT_CHANCE) {
                tile = choices[1 + static_cast<size_t>(random.below(static_cast<int>(choices.size()) - 1))];
            }
            file.push_back(tile);
        }
    }
    return file;
}
