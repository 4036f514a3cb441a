#include "app/controller_mappings.h"

#include <SDL.h>

std::string readControllerMappings()
{
    SDL_RWops* file = SDL_RWFromFile(CONTROLLER_MAPPINGS_PATH, "r");
    if (file == nullptr) {
        SDL_Log("doesn't load %s", CONTROLLER_MAPPINGS_PATH);
        return {};
    }
    std::string text;
    const Sint64 size = SDL_RWsize(file);
    if (size < 0) {
        // A stream without a size (a pipe, say) cannot be read in one go: go on without it.
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
    } else {
        text.resize(static_cast<size_t>(size));
        const size_t read = SDL_RWread(file, text.data(), 1, text.size());
        if (read != text.size()) {
            SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        }
        text.resize(read);
    }
    SDL_RWclose(file);
    return text;
}
