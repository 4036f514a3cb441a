// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <optional>
#include <vector>

// What the game reads in a PNG file itself, before SDL_image decodes it.

struct PngSize {
    Uint32 width = 0; // pixels
    Uint32 height = 0;
};

// The picture's size as a PNG's header gives it, without decoding anything; nullopt when
// the bytes do not begin as a PNG does.
std::optional<PngSize> readPngSize(const std::vector<Uint8>& bytes);

// The same PNG with only the chunks that make its picture: libpng inflates every
// compressed text and colour-profile chunk, and a megabyte of those inflates to
// gigabytes. For bytes that readPngSize accepts.
std::vector<Uint8> pictureChunksOnly(const std::vector<Uint8>& bytes);
