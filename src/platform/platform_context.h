// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

class InputState;

// What start-up makes of the platform for the layers above it: the window, the renderer
// every drawing call goes to, and the input record the frame loop updates. Zero until
// start-up fills it.
struct PlatformContext {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    InputState* input = nullptr;
};

extern PlatformContext platform;
