// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/frame_rate.h"

#include <SDL.h>

#include <bitset>

// The timer's beat: frame n may not begin before the beat's n-th tick, less half a
// period for the jitter of a 60 Hz display. Counting frames against the clock holds any
// display to 60 a second, however its intervals fall. A frame that runs late may catch up,
// as a swap queue would, by at most two and a half periods; the rest of a longer stall is
// let go. With a probe's lead (FramePacer) no ten seconds hold more than 605 frames.
class FrameBeat {
public:
    static constexpr Uint64 MOST_LATE_HALF_PERIODS = 5;
    static constexpr Uint64 EARLY_HALF_PERIODS = 1;

    explicit FrameBeat(Uint64 ticksPerSecond = 0);

    // The next frame to begin holds the beat's tick `tick` (counter ticks).
    void start(Uint64 tick) { nextTick = tick; }
    // How far the frames have run ahead of the clock at `now`.
    Uint64 lead(Uint64 now) const { return nextTick > now ? nextTick - now : 0; }
    void delay(Uint64 ticks) { nextTick += ticks; }
    // The counter reading before which the next frame must not begin.
    Uint64 earliestStart() const { return nextTick - period * EARLY_HALF_PERIODS / 2; }
    // The next frame begins at `now`, which is not before earliestStart().
    void frameBegins(Uint64 now);

private:
    Uint64 period = 0; // counter ticks
    Uint64 nextTick = 0;
};

// Holds the frame loop to 60 frames a second, on any display and in any window state. Every
// speed and timer of the game counts frames, so the loop's rate is the game's speed.
// Vertical sync, where the renderer has it, is never turned off, so nothing tears; the beat
// holds a frame back only when presents come faster than 60 a second (a hidden window, a
// faster display), and then a timer paces. Once the beat has led the display, a 60 Hz
// display would go on meeting it at the same point of each period, so now and then a probe,
// a frame let through without the beat, asks the display: a present that waited most of a
// whole period for the display proves 60 Hz, and the beat then follows the display again.
// A proof the held frames soon belie (a present's own work made a faster display look like
// 60 Hz) is taken back with the lead it forgave. Each change of pacing that lasts is logged.
class FramePacer {
public:
    explicit FramePacer(Uint64 ticksPerSecond = 0);

    // `vsync`: the renderer waits for the display. `now`: the counter at start-up.
    void start(bool vsync, Uint64 now);
    // Around every present, with the counter's readings.
    void presenting(Uint64 now) { presentStart = now; }
    void presented(Uint64 now);
    // The counter reading before which the next frame must not begin, and its beginning.
    Uint64 nextFrameAt() const { return probing ? 0 : beat.earliestStart(); }
    void frameBegins(Uint64 now) { beat.frameBegins(now); }
    bool byTimer() const { return timer; }

private:
    bool probeDue(Uint64 now) const;
    // True once the probe is over.
    bool judgeProbe(Uint64 interval, Uint64 blocked, Uint64 now);
    void followTimer(Uint64 now);
    void logChanges(Uint64 now);

    Uint64 period = 0; // counter ticks
    FrameBeat beat;
    bool vsync = false;
    bool timer = false;
    bool timerLogged = false;
    Uint64 timerSince = 0;
    Uint64 presentStart = 0;
    Uint64 lastPresent = 0;
    Uint64 lastBlocked = 0; // counter ticks spent in the last present
    bool probing = false;
    std::bitset<FRAMES_PER_SECOND / 2> heldBackFrames; // the last half second's, newest first
    Uint64 lastProbe = 0;
    int probeFrames = 0;
    int proofs = 0;
    bool probeSawAtOnce = false;
    Uint64 probeEvery = 0; // counter ticks
    Uint64 provenAt = 0;
    Uint64 forgivenLead = 0; // counter ticks, until the proof has lasted
};

// The game's loop paces on the monotonic clock, in nanoseconds, which it can sleep on
// to an absolute time.
constexpr Uint64 PACING_CLOCK_TICKS_PER_SECOND = 1000000000;
Uint64 pacingClock();
void sleepUntil(Uint64 pacingClockReading);
