// SPDX-License-Identifier: Zlib
#include "app/full_screen.h"

bool isFullScreenToggle(const SDL_Keysym& key)
{
    return key.sym == SDLK_RETURN && key.mod == KMOD_LALT;
}

void toggleFullScreen(SDL_Window* window)
{
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_ShowCursor(SDL_DISABLE);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_ShowCursor(SDL_ENABLE);
    }
}
