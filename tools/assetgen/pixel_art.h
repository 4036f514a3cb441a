// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

#include <string>
#include <string_view>
#include <vector>

// One colour of a piece of text-drawn pixel art: every `key` character becomes `colour`.
struct Ink {
    char key = '.';
    Rgba colour;
};

// Paints rows of text, one character per pixel, with (x, y) as the top-left corner.
// '.' leaves the pixel alone; any other character must have an ink (a typo aborts).
void paintArt(Image& image, int x, int y, const std::vector<std::string_view>& rows,
              const std::vector<Ink>& inks);

// A symmetric row from its left half: "ab" gives "abba".
std::string mirrored(std::string_view leftHalf);
