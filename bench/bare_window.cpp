// SPDX-License-Identifier: Zlib
// The floor for start-up and memory: only the game's window and renderer, made with the
// same hints, presenting one cleared frame. With --one-sprite the frame also holds one
// copy of a small texture: the renderer's cost of drawing anything textured at all.
#include "app/window_settings.h"
#include "probe_signals.h"

#include <SDL.h>

#include <cstring>

namespace {

constexpr int SPRITE_SIZE = 16;

// A blended texture of the sprite sheet's format, copied once.
void drawOneSprite(SDL_Renderer* renderer)
{
    SDL_Texture* sprite = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC,
                                            SPRITE_SIZE, SPRITE_SIZE);
    SDL_SetTextureBlendMode(sprite, SDL_BLENDMODE_BLEND);
    const SDL_Rect where{0, 0, SPRITE_SIZE, SPRITE_SIZE};
    SDL_RenderCopy(renderer, sprite, nullptr, &where);
    SDL_RenderPresent(renderer);
    SDL_DestroyTexture(sprite);
}

} // namespace

int main(int argc, char* argv[])
{
    const bool oneSprite = argc > 1 && std::strcmp(argv[1], "--one-sprite") == 0;
    setRenderHints();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return 1;
    }
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    if (SDL_CreateWindowAndRenderer(WINDOW_WIDTH, WINDOW_HEIGHT, SDL_WINDOW_HIDDEN, &window, &renderer) < 0) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_SetWindowTitle(window, "Plorvik");
    SDL_RenderSetLogicalSize(renderer, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    SDL_ShowWindow(window);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    if (oneSprite) {
        drawOneSprite(renderer);
    } else {
        SDL_RenderPresent(renderer);
    }
    signalFirstFrame();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    reportPeakMemory();
    return 0;
}
