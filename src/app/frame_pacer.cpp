#include "app/frame_pacer.h"

namespace {

// SDL_Delay may oversleep by a scheduler tick; the last stretch is spun out on the counter.
constexpr Uint64 SPIN_MARGIN_MS = 2;

} // namespace

void FramePacer::start()
{
    frameStart = SDL_GetPerformanceCounter();
}

void FramePacer::waitForNextFrame()
{
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / FRAMES_PER_SECOND;
    const Uint64 deadline = frameStart + period;
    Uint64 now = SDL_GetPerformanceCounter();
    if (now < deadline) {
        const Uint64 remainingMs = (deadline - now) * 1000 / frequency;
        if (remainingMs > SPIN_MARGIN_MS) {
            SDL_Delay(static_cast<Uint32>(remainingMs - SPIN_MARGIN_MS));
        }
        while ((now = SDL_GetPerformanceCounter()) < deadline) {
        }
    }
    // A frame that overran by more than a whole period restarts the beat instead of
    // rushing the following frames to catch up.
    frameStart = now - deadline > period ? now : deadline;
}

namespace {

constexpr int PROBE_WARM_UP_FRAMES = 10; // start-up hiccups are not measured
constexpr int PROBE_FRAMES = 60;
constexpr Uint64 FASTEST_REFRESH_HZ = 500; // no display refreshes faster

} // namespace

bool PresentRateProbe::presentsUnpaced()
{
    ++frames;
    if (frames == PROBE_WARM_UP_FRAMES) {
        probeStart = SDL_GetPerformanceCounter();
    }
    if (frames != PROBE_WARM_UP_FRAMES + PROBE_FRAMES) {
        return false;
    }
    const Uint64 elapsed = SDL_GetPerformanceCounter() - probeStart;
    return elapsed * FASTEST_REFRESH_HZ < PROBE_FRAMES * SDL_GetPerformanceFrequency();
}
