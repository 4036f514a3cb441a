// SPDX-License-Identifier: Zlib
#pragma once

#include "tile_set.h"
#include "world/map_file.h"

#include <cstdint>
#include <vector>

// The 40x40 ground map, islands in a sea, wrapping on both edges; header and tile bytes.
std::vector<std::uint8_t> makeMapFile(const TileSet& tileSet);
