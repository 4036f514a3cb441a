// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <string>

// Files that SDL_image or SDL_mixer would decode if handed them, each made to cost its
// decoder far more than its own size: what the bad-asset matrix puts in the place of the
// sheet or a sound. Small enough to make in the test itself.

// A PNG header that promises a picture of `side` x `side` pixels, and nothing after it.
std::string pngHeaderOnly(Uint32 side);
// An SVG drawing of `side` x `side` pixels, which SDL_image rasterises whole.
std::string svgPicture(Uint32 side);
// A small JPEG whose header claims `side` x `side` pixels.
std::string jpegPicture(Uint16 side);
// A QOI header of `side` x `side` pixels, with no pixels.
std::string qoiPicture(Uint32 side);
// A binary PPM header of `side` x `side` pixels, then one row.
std::string ppmPicture(Uint32 side);
// A Creative Voice file of `blocks` silence blocks of 65,536 samples each.
std::string vocSilence(int blocks);
// A FLAC stream of `frames` frames, each 4,096 samples of silence in a few bytes.
std::string flacSilence(int frames);
// A ProTracker module that plays one slow pattern `repeats` times, over minutes.
std::string slowModule(int repeats);
// The header of an 8-bit mono PCM WAV at `rate` frames a second whose data chunk says it
// holds `dataBytes`.
std::string wavHeader(Uint32 rate, Uint32 dataBytes);
