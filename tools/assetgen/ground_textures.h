// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"
#include "platform/sheet_layout.h"

#include <array>

using Texture = std::array<Rgba, TILE_CELL_SIZE * TILE_CELL_SIZE>;

// Textures repeat every 16 pixels, so the same ground on two tiles always lines up.
struct GroundTextures {
    Texture deep;
    Texture shallow;
    Texture sand;
    Texture grass;
    Texture forest;
    std::array<double, TILE_CELL_SIZE * TILE_CELL_SIZE> wobble; // in [-1, 1]
};

GroundTextures makeGroundTextures();

// The ground at tile pixel (x, y) for a height between levels (0 deep sea ... 4 forest).
Rgba groundAt(const GroundTextures& g, double height, int x, int y);

// Index of tile pixel (x, y) in a texture, wrapping round the tile.
size_t texel(int x, int y);
