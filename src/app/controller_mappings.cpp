// SPDX-License-Identifier: Zlib
#include "app/controller_mappings.h"

#include "platform/asset_file.h"

#include <SDL.h>

#include <algorithm>

namespace {

constexpr size_t READ_CHUNK = size_t{64} * 1024; // bytes
// SDL takes time that grows with the square of the text's length to parse it.
constexpr Sint64 MAX_MAPPINGS_BYTES = Sint64{1} << 20U;

// The size a stream reports is only a claim: a directory on ext4 claims the largest
// offset there is. The text grows with what the reads return, up to `size` bytes.
std::string readUpTo(SDL_RWops* file, Uint64 size)
{
    std::string text;
    while (text.size() < size) {
        const size_t wanted = static_cast<size_t>(std::min<Uint64>(READ_CHUNK, size - text.size()));
        const size_t start = text.size();
        text.resize(start + wanted);
        const size_t read = SDL_RWread(file, text.data() + start, 1, wanted);
        text.resize(start + read);
        if (read < wanted) {
            break;
        }
    }
    return text;
}

} // namespace

std::string readControllerMappings()
{
    SDL_RWops* file = openAssetFile(CONTROLLER_MAPPINGS_PATH, MAX_MAPPINGS_BYTES);
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
        text = readUpTo(file, static_cast<Uint64>(size));
        if (text.size() != static_cast<Uint64>(size)) {
            SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        }
    }
    SDL_RWclose(file);
    return text;
}
