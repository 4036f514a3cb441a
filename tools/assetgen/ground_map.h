#pragma once

#include "tile_set.h"

#include <cstdint>
#include <vector>

constexpr int MAP_TILES = 40;
constexpr int MAP_HEADER = 20;

// The 40x40 ground map, islands in a sea, wrapping on both edges; header and tile bytes.
std::vector<std::uint8_t> makeMapFile(const TileSet& tileSet);
