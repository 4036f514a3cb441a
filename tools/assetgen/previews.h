// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

// Pictures for people to look at, never read by the game.

// The sheet at 4x on a grey checkerboard, so transparency shows.
Image sheetPreview(const Image& sheet);

// The ground as the game lays it out: `w` x `h` pixels seen from the camera (x, y).
Image groundView(const Image& sheet, const std::vector<std::uint8_t>& mapFile, int cameraX, int cameraY,
                 int w, int h);

// A made-up moment of play at 2x: ground, planes of both sides, bullets, heads-up display
// and large text, for judging how the pieces read together.
Image playPreview(const Image& sheet, const std::vector<std::uint8_t>& mapFile);

// The title screen at 2x, waiting for a button: logo, texts, emblem and scores.
Image titlePreview(const Image& sheet);
