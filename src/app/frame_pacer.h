// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/frame_rate.h"

#include <SDL.h>

#include <array>

// The timer's beat: 60 frames a second on the high-resolution counter.
class FrameBeat {
public:
    explicit FrameBeat(Uint64 ticksPerSecond = 0) : period(ticksPerSecond / FRAMES_PER_SECOND) {}

    // Starts the beat from `now` (counter ticks).
    void start(Uint64 now) { frameStart = now; }
    // The counter reading before which the next frame must not begin.
    Uint64 nextFrameAt() const { return frameStart + period; }
    // The next frame begins at `now`, which is not before nextFrameAt().
    void frameBegins(Uint64 now);

private:
    Uint64 period = 0; // counter ticks
    Uint64 frameStart = 0;
};

// Tells from the times of the presents whether they come faster than 60 a second: a
// display that refreshes faster, vertical sync imitated in whole milliseconds (62.5 Hz),
// a renderer that claims vertical sync and presents at once. The rate is the median of
// a window's intervals, so a stall and the quick presents after it do not sway it, and
// it must hold over two windows in a row; slow presents never count.
class PresentRateWatch {
public:
    static constexpr int WINDOW_INTERVALS = 30;
    static constexpr int FAST_WINDOWS = 2;
    static constexpr double FASTEST_VSYNC_HZ = 61.0; // a 60 Hz display's, with room to spare

    explicit PresentRateWatch(Uint64 ticksPerSecond = 0) : ticksPerSecond(ticksPerSecond) {}

    // Once per present, with the counter's reading just after it. Returns the presents'
    // rate in Hz once it has stayed above FASTEST_VSYNC_HZ, 0 until then.
    double presented(Uint64 now);

private:
    double windowRate();

    Uint64 ticksPerSecond = 0;
    Uint64 lastPresent = 0; // counter ticks
    bool measuring = false;
    std::array<Uint64, WINDOW_INTERVALS> intervals{}; // counter ticks
    int filled = 0;
    int fastWindows = 0;
};

// Holds the frame loop to 60 frames a second. Every speed and timer of the game counts
// frames, so the loop's rate is the game's speed. The display's vertical sync paces the
// loop while its presents come at 60 a second; without vertical sync, on a display that
// refreshes at another rate, or when presents come faster, vertical sync is turned off
// (where the renderer can) and the timer's beat paces the loop. Each change is logged.
class FramePacer {
public:
    explicit FramePacer(Uint64 ticksPerSecond = 0)
        : ticksPerSecond(ticksPerSecond), beat(ticksPerSecond), watch(ticksPerSecond)
    {
    }

    // Chooses the pacing from the renderer's vertical sync flag and the display's refresh
    // rate (0 when unknown); `renderer` (null in tests) is the one to turn vertical sync off on.
    void start(SDL_Renderer* renderer, bool vsync, int displayHz, Uint64 now);
    // After every present, with the counter's reading.
    void presented(Uint64 now);
    bool byTimer() const { return timer; }
    // When the timer paces: the counter reading before which the next frame must not
    // begin, and the next frame's beginning, not before it.
    Uint64 nextFrameAt() const { return beat.nextFrameAt(); }
    void frameBegins(Uint64 now) { beat.frameBegins(now); }

    // What the loop calls after each present: presented(), then the timer's wait.
    void waitForNextFrame();

private:
    void switchToTimer(Uint64 now);

    Uint64 ticksPerSecond = 0;
    SDL_Renderer* renderer = nullptr;
    FrameBeat beat;
    PresentRateWatch watch;
    bool timer = false;
};
