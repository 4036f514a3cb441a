// SPDX-License-Identifier: Zlib
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The ground: MAP_SIZE x MAP_SIZE tiles of TILE_SIZE world units, row-major, wrapping
// with the world. A tile byte names the sheet cell ((b & 15) * 16, (b >> 4) * 16).
constexpr int MAP_SIZE = 40;       // tiles per row and per column
constexpr int TILE_SIZE = 16;      // world units per tile side
constexpr int BG_HEADER_SIZE = 20; // bytes skipped at the start of "assets/bg.dat"
constexpr std::uint8_t TILE_DEFAULT = 70;
constexpr const char* MAP_PATH = "assets/bg.dat";

// Tiles in the whole map, counted in the type that indexes it.
constexpr std::size_t MAP_TILES = static_cast<std::size_t>(MAP_SIZE) * MAP_SIZE;

// Overwrites `map` (already MAP_TILES entries) from the map file; tiles the
// file does not reach keep their values. A file that cannot be opened is logged.
void loadMap(std::vector<std::uint8_t>& map);
