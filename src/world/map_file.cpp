// SPDX-License-Identifier: Zlib
#include "world/map_file.h"

#include "platform/asset_file.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t MAX_MAP_BYTES = std::size_t{64} << 10U; // only the first 1620 are read
constexpr auto HEADER_BYTES = static_cast<std::size_t>(BG_HEADER_SIZE);

} // namespace

void loadMap(std::vector<std::uint8_t>& map)
{
    const AssetFile file = readAssetFile(MAP_PATH, MAX_MAP_BYTES);
    if (file.status != AssetStatus::READ) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return;
    }
    // A short file leaves the rest of the map as it was.
    if (file.bytes.size() <= HEADER_BYTES) {
        return;
    }
    const std::size_t tiles = std::min({map.size(), MAP_TILES, file.bytes.size() - HEADER_BYTES});
    std::copy_n(file.bytes.begin() + static_cast<std::ptrdiff_t>(HEADER_BYTES), tiles, map.begin());
}
