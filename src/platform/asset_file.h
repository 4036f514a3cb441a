// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

// Every loader asks this before it opens its file. Only a regular file is read: a FIFO
// would block the open for ever, a device or a link to one would never end, and a
// huge file would take memory and time without bound.

// False when something other than a regular file of at most `maxBytes` stands at
// `path`, with SDL's error saying what; the loader then fails as for a file it cannot
// read. True otherwise, also when nothing can be found there: the loader's own open
// then fails in its usual words.
bool assetFileAcceptable(const char* path, Sint64 maxBytes);
// SDL_RWFromFile(path, "rb") for an acceptable file; null (with SDL's error set) otherwise.
SDL_RWops* openAssetFile(const char* path, Sint64 maxBytes);
