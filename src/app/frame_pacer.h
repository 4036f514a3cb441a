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

// Some renderers report vertical sync and still present at once (SDL's software renderer,
// for one). Their first frames, far faster than any display refreshes, give them away.
class PresentRateProbe {
public:
    // Once per presented frame; true on the one frame at which the probe finds the
    // presents unpaced, false before and ever after.
    bool presentsUnpaced();

private:
    int frames = 0;
    Uint64 probeStart = 0; // counter ticks
};
