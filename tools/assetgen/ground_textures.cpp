// SPDX-License-Identifier: Zlib
#include "ground_textures.h"

#include "periodic_noise.h"
#include "prng.h"

#include <cmath>

namespace {

constexpr std::uint64_t TEXTURE_SEED = 0x506C6F7276696B01ull;

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
        const int x = random.below(TILE_CELL_SIZE);
        const int y = random.below(TILE_CELL_SIZE);
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
    for (int y = 0; y < TILE_CELL_SIZE; ++y) {
        for (int x = 0; x < TILE_CELL_SIZE; ++x) {
            Rgba colour = gap;
            double nearest = 1e9;
            for (const Crown& c : crowns) {
                for (int oy = -1; oy <= 1; ++oy) {
                    for (int ox = -1; ox <= 1; ++ox) {
                        const double dx = x + 0.5 - (c.x + ox * TILE_CELL_SIZE);
                        const double dy = y + 0.5 - (c.y + oy * TILE_CELL_SIZE);
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

} // namespace

GroundTextures makeGroundTextures()
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
    for (int y = 0; y < TILE_CELL_SIZE; ++y) {
        for (int x = 0; x < TILE_CELL_SIZE; ++x) {
            const double u = (x + 0.5) / TILE_CELL_SIZE;
            const double v = (y + 0.5) / TILE_CELL_SIZE;
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

size_t texel(int x, int y)
{
    return static_cast<size_t>(((y + TILE_CELL_SIZE) % TILE_CELL_SIZE) * TILE_CELL_SIZE +
                               (x + TILE_CELL_SIZE) % TILE_CELL_SIZE);
}
