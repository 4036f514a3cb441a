// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <optional>

struct PngSize {
    Uint32 width = 0; // pixels
    Uint32 height = 0;
};

// The picture's size as a PNG's header gives it, read from the start of `stream`
// without decoding anything; the stream is left at its start. nullopt when the stream
// does not begin as a PNG does.
std::optional<PngSize> readPngSize(SDL_RWops* stream);
