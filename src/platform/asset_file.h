// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <cstddef>
#include <vector>

// Every loader reads its file through this and decodes the bytes in memory. The file is
// opened once, without blocking on a FIFO, checked on that very descriptor and read no
// further than its cap: a device or a file of /proc may never end, whatever size it
// claims, and a name checked before the open may no longer be the file opened.

enum class AssetStatus {
    READ,       // `bytes` holds the whole file
    NOT_OPENED, // nothing could be opened at the path; SDL's error says so as SDL_RWFromFile would
    REFUSED,    // not a regular file, unreadable, or more than the cap; SDL's error says which
};

struct AssetFile {
    AssetStatus status = AssetStatus::NOT_OPENED;
    std::vector<Uint8> bytes;
    Sint64 statedSize = 0; // bytes, as the file system gave the size when the file was opened
};

AssetFile readAssetFile(const char* path, std::size_t maxBytes);
// A read-only stream over `bytes` for SDL's decoders; the bytes must outlive it.
SDL_RWops* streamOver(const std::vector<Uint8>& bytes);
