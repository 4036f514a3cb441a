#pragma once

#include <SDL.h>

#include <cstdint>

class InputState;
class World;

// The application shell's process-wide record, zero until start-up fills it.
struct AppContext {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr; // every drawing call goes here
    InputState* input = nullptr;
    std::int32_t scene = 0;      // a Scene value
    std::int32_t sceneTimer = 0; // frames counted by the current screen
    std::int32_t titleLogoY = 0; // logical screen y
    std::int32_t titleReady = 0; // 1 once the title logo has finished sliding in
    World* world = nullptr;
};

extern AppContext app;
