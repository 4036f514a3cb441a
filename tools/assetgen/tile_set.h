// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

#include <cstdint>
#include <map>
#include <vector>

// Ground levels, lowest first. Every tile has a level at each corner, the four differing
// by at most one, and the coast between them follows a wavy contour; tiles whose shared
// corners agree join without a seam.
enum Level { DEEP_SEA, SHALLOWS, SAND, GRASS, FOREST, LEVEL_COUNT };

struct Corners {
    int topLeft = GRASS;
    int topRight = GRASS;
    int bottomLeft = GRASS;
    int bottomRight = GRASS;
};

// The ground tiles painted on the sheet and the tile bytes that name them.
class TileSet {
public:
    // Paints every tile into a free cell of `sheet`; plain grass goes to the default tile.
    explicit TileSet(Image& sheet);

    // Every tile byte drawn for these corners: the plain tile first, then its variants.
    const std::vector<std::uint8_t>& tilesFor(const Corners& corners) const;

private:
    std::map<int, std::vector<std::uint8_t>> tiles;
};
