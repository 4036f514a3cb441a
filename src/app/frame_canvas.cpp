// SPDX-License-Identifier: Zlib
#include "app/frame_canvas.h"

#include "app/window_settings.h"
#include "platform/platform_context.h"

#include <SDL.h>

namespace {

SDL_Texture* canvas = nullptr;

void clearToBlack()
{
    // Set every time: the heads-up display leaves other colours set.
    SDL_SetRenderDrawColor(platform.renderer, 0, 0, 0, 0);
    SDL_RenderClear(platform.renderer);
}

} // namespace

void createFrameCanvas()
{
    if (SDL_RenderTargetSupported(platform.renderer) == SDL_FALSE) {
        return;
    }
    // The window's own format spares the copy a conversion.
    canvas = SDL_CreateTexture(platform.renderer, SDL_GetWindowPixelFormat(platform.window),
                               SDL_TEXTUREACCESS_TARGET, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    if (canvas != nullptr) {
        SDL_SetTextureBlendMode(canvas, SDL_BLENDMODE_NONE);
    }
}

void destroyFrameCanvas()
{
    if (canvas != nullptr) {
        SDL_DestroyTexture(canvas);
        canvas = nullptr;
    }
}

void beginFrameCanvas()
{
    if (canvas != nullptr) {
        SDL_SetRenderTarget(platform.renderer, canvas);
    }
    clearToBlack();
}

void finishFrameCanvas()
{
    if (canvas == nullptr) {
        return;
    }
    SDL_SetRenderTarget(platform.renderer, nullptr);
    // Full screen leaves bars beside the picture.
    clearToBlack();
    SDL_RenderCopy(platform.renderer, canvas, nullptr, nullptr);
}
