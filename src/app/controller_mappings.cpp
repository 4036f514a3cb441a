// SPDX-License-Identifier: Zlib
#include "app/controller_mappings.h"

#include "platform/asset_file.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t MAX_MAPPINGS_BYTES = std::size_t{1} << 20U;
// SDL takes time that grows with the square of the number of mappings to take them in:
// 5,000 short lines cost it a third of a second. The community database holds about
// 2,000 mappings for each platform.
constexpr std::ptrdiff_t MAX_MAPPINGS_LINES = 5000;

bool tooManyLines(const std::vector<Uint8>& text)
{
    const bool unfinished = !text.empty() && text.back() != '\n';
    return std::count(text.begin(), text.end(), '\n') + (unfinished ? 1 : 0) > MAX_MAPPINGS_LINES;
}

} // namespace

std::string readControllerMappings()
{
    const AssetFile file = readAssetFile(CONTROLLER_MAPPINGS_PATH, MAX_MAPPINGS_BYTES);
    if (file.status != AssetStatus::READ || tooManyLines(file.bytes)) {
        SDL_Log("doesn't load %s", CONTROLLER_MAPPINGS_PATH);
        return {};
    }
    // The file changed while it was read: what was read is used.
    if (static_cast<Sint64>(file.bytes.size()) != file.statedSize) {
        SDL_SetError("%s gave %zu bytes, not the %lld of its size", CONTROLLER_MAPPINGS_PATH,
                     file.bytes.size(), static_cast<long long>(file.statedSize));
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
    }
    return {file.bytes.begin(), file.bytes.end()};
}
