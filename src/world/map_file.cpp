// SPDX-License-Identifier: Zlib
#include "world/map_file.h"

#include "platform/asset_file.h"

#include <SDL.h>

#include <algorithm>

namespace {

constexpr Sint64 MAX_MAP_BYTES = Sint64{1} << 20U; // only the first 1620 are read

} // namespace

void loadMap(std::vector<std::uint8_t>& map)
{
    SDL_RWops* file = openAssetFile(MAP_PATH, MAX_MAP_BYTES);
    if (file == nullptr) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return;
    }
    SDL_RWseek(file, BG_HEADER_SIZE, RW_SEEK_SET);
    // A short file leaves the rest of the map as it was; the count is not needed.
    const size_t tiles = std::min(map.size(), MAP_TILES);
    SDL_RWread(file, map.data(), 1, tiles);
    SDL_RWclose(file);
}
