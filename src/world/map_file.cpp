#include "world/map_file.h"

#include <SDL.h>

#include <algorithm>

void loadMap(std::vector<std::uint8_t>& map)
{
    SDL_RWops* file = SDL_RWFromFile(MAP_PATH, "r");
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
