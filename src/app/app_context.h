// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>

class World;

// The application shell's process-wide record, zero until start-up fills it; the
// window, renderer and input record are the platform's (`platform`).
struct AppContext {
    std::int32_t scene = 0;      // a Scene value
    std::int32_t sceneTimer = 0; // frames counted by the current screen
    std::int32_t titleLogoY = 0; // logical screen y
    std::int32_t titleReady = 0; // 1 once the title logo has finished sliding in
    World* world = nullptr;
};

extern AppContext app;
