// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <vector>

// What the mixer makes of a sound grows with its length and rate, not with its file's
// size, and each of its other loaders decodes whatever it is given. So a sound file is
// checked before anything decodes it: a RIFF WAVE file of PCM samples, at most
// `maxSeconds` long. False, with SDL's error saying why, otherwise.
bool acceptableWav(const std::vector<Uint8>& bytes, const char* path, Uint32 maxSeconds);
