// SPDX-License-Identifier: Zlib
#include "app/window_settings.h"

#include <SDL.h>

void setRenderHints()
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
    // Naming a render driver turns SDL's batching of draw calls off, for programs that
    // mix in GL calls of their own; this one makes none, so it takes batching back: the
    // same picture from a fraction of the driver calls.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
}
