#pragma once

#include <SDL.h>

// Holds the frame loop to 60 frames a second with the high-resolution counter, for a
// renderer that presents without vertical sync. Every speed and timer of the game
// counts frames, so an unpaced loop would run the game at whatever rate the CPU allows.
class FramePacer {
public:
    static constexpr Uint64 FRAMES_PER_SECOND = 60;

    // Starts the beat from now.
    void start();
    // Returns once a 1/60 s frame has passed since the previous return (or start()).
    void waitForNextFrame();

private:
    Uint64 frameStart = 0; // counter ticks
};
