// SPDX-License-Identifier: Zlib
#include "app/frame_pacer.h"

#include <algorithm>
#include <cstdlib>

namespace {

// SDL_Delay may oversleep by a scheduler tick; the last stretch is spun out on the counter.
constexpr Uint64 SPIN_MARGIN_MS = 2;
// Displays sold as 60 Hz are reported at 59 to 61.
constexpr int NOMINAL_HZ = FRAMES_PER_SECOND;
constexpr int NOMINAL_HZ_SLACK = 1;

void waitUntil(Uint64 deadline)
{
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 now = SDL_GetPerformanceCounter();
    if (now < deadline) {
        const Uint64 remainingMs = (deadline - now) * 1000 / frequency;
        if (remainingMs > SPIN_MARGIN_MS) {
            SDL_Delay(static_cast<Uint32>(remainingMs - SPIN_MARGIN_MS));
        }
        while (SDL_GetPerformanceCounter() < deadline) {
        }
    }
}

} // namespace

void FrameBeat::frameBegins(Uint64 now)
{
    const Uint64 deadline = nextFrameAt();
    // A frame that overran by more than a whole period restarts the beat instead of
    // rushing the following frames to catch up.
    frameStart = now - deadline > period ? now : deadline;
}

double PresentRateWatch::presented(Uint64 now)
{
    const Uint64 interval = now - lastPresent;
    lastPresent = now;
    if (!measuring) {
        measuring = true; // from the second present on
        return 0.0;
    }
    intervals.at(filled++) = interval;
    if (filled < WINDOW_INTERVALS) {
        return 0.0;
    }
    filled = 0;
    const double rate = windowRate();
    fastWindows = rate > FASTEST_VSYNC_HZ ? fastWindows + 1 : 0;
    return fastWindows >= FAST_WINDOWS ? rate : 0.0;
}

double PresentRateWatch::windowRate()
{
    constexpr int MIDDLE = WINDOW_INTERVALS / 2;
    std::nth_element(intervals.begin(), intervals.begin() + MIDDLE, intervals.end());
    const Uint64 median = std::max<Uint64>(intervals.at(MIDDLE), 1);
    return static_cast<double>(ticksPerSecond) / static_cast<double>(median);
}

void FramePacer::start(SDL_Renderer* pacedRenderer, bool vsync, int displayHz, Uint64 now)
{
    renderer = pacedRenderer;
    watch = PresentRateWatch(ticksPerSecond);
    timer = false;
    if (!vsync) {
        SDL_Log("no vertical sync: frames are paced by a timer");
        switchToTimer(now);
    } else if (displayHz != 0 && std::abs(displayHz - NOMINAL_HZ) > NOMINAL_HZ_SLACK) {
        SDL_Log("the display refreshes at %d Hz: frames are paced by a timer", displayHz);
        switchToTimer(now);
    }
}

void FramePacer::presented(Uint64 now)
{
    if (timer) {
        return;
    }
    const double rate = watch.presented(now);
    if (rate > 0.0) {
        SDL_Log("presents come at %.1f Hz: frames are paced by a timer", rate);
        switchToTimer(now);
    }
}

void FramePacer::waitForNextFrame()
{
    presented(SDL_GetPerformanceCounter());
    if (timer) {
        waitUntil(nextFrameAt());
        frameBegins(SDL_GetPerformanceCounter());
    }
}

void FramePacer::switchToTimer(Uint64 now)
{
    timer = true;
    // Where the renderer cannot turn it off, the presents still wait for the display,
    // each at the first refresh after the timer's beat.
    if (renderer != nullptr) {
        SDL_RenderSetVSync(renderer, 0);
    }
    beat.start(now);
}
