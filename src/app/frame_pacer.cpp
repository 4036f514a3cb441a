// SPDX-License-Identifier: Zlib
#include "app/frame_pacer.h"

#include "platform/frame_rate.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace {

// Two presents of a probe in a row that each waited for the display for more than half of
// an interval of at least nine tenths of a period prove a display of about 60 Hz: each
// waits for one refresh at most. The moment a present returns wavers by a millisecond and
// more, so no finer bound holds; a display a little faster passes too, and the frames
// held back soon after belie it.
constexpr Uint64 NEAR_PERIOD_TENTHS = 9;
// Probes while the timer paces: every half second while presents come at once (the
// window may be shown at any moment), backing off to four seconds while they wait for a
// faster display, where each probe shows a frame one refresh early.
constexpr Uint64 PROBE_FIRST_PERIODS = 30;
constexpr Uint64 PROBE_MOST_PERIODS = 240;
constexpr Uint64 AT_ONCE_DIVISOR = 16; // a present shorter than a sixteenth of a period
// The timer paces from when it holds back a quarter of the frames of half a second until a
// probe proves a 60 Hz display. That is logged once it has lasted a second, and the return
// to vertical sync once it can no longer be belied, so a moment of unthrottled presents,
// or a false proof, leaves no trace.
constexpr size_t HELD_BACK_FRAMES = 8;
// A probe lasts up to four frames, since a swap queue may take two presents at once, and
// longer while its frames prove.
constexpr int PROBE_FRAMES = 4;
constexpr int PROOFS = 2;
constexpr Uint64 LOG_AFTER_PERIODS = FRAMES_PER_SECOND;
// Held frames this soon after a proof show it false.
constexpr Uint64 PROOF_BELIED_WITHIN_PERIODS = 4 * Uint64{FRAMES_PER_SECOND};

} // namespace

FrameBeat::FrameBeat(Uint64 ticksPerSecond) : period(ticksPerSecond / FRAMES_PER_SECOND) {}

void FrameBeat::frameBegins(Uint64 now)
{
    const Uint64 mostLate = MOST_LATE_HALF_PERIODS * period / 2;
    if (now > nextTick + mostLate) {
        nextTick = now - mostLate;
    }
    nextTick += period;
}

FramePacer::FramePacer(Uint64 ticksPerSecond)
    : period(ticksPerSecond / FRAMES_PER_SECOND), beat(ticksPerSecond)
{
}

void FramePacer::start(bool rendererVsync, Uint64 now)
{
    vsync = rendererVsync;
    timer = !vsync;
    timerLogged = timer;
    beat.start(now + period);
    lastPresent = now;
    lastProbe = now;
    probing = false;
    probeEvery = PROBE_FIRST_PERIODS * period;
    if (timer) {
        SDL_Log("no vertical sync: frames are paced by a timer");
    }
}

void FramePacer::presented(Uint64 now)
{
    const Uint64 interval = now - lastPresent;
    lastPresent = now;
    const bool probeGoesOn = probing && !judgeProbe(interval, now - presentStart, now);
    lastBlocked = now - presentStart;
    heldBackFrames <<= 1U;
    heldBackFrames[0] = now < beat.earliestStart();
    // A probe's frames may lead the beat by at most two periods more than any other: a
    // swap queue with two presents' room takes them at once.
    const bool mayLead = now + 2 * period >= beat.earliestStart();
    probing = vsync && mayLead && (probeGoesOn || (timer && probeDue(now)));
    if (probing && !probeGoesOn) {
        lastProbe = now;
        probeFrames = 0;
        proofs = 0;
        probeSawAtOnce = false;
    }
    logChanges(now);
}

bool FramePacer::probeDue(Uint64 now) const
{
    return now - lastProbe >= (timer ? probeEvery : PROBE_FIRST_PERIODS * period);
}

bool FramePacer::judgeProbe(Uint64 interval, Uint64 blocked, Uint64 now)
{
    const bool fromRefresh = lastBlocked >= period / AT_ONCE_DIVISOR;
    const bool waited = fromRefresh && interval * 10 >= period * NEAR_PERIOD_TENTHS && blocked * 2 > interval;
    // Twice in a row, since a present the scheduler woke late from can pass once.
    proofs = waited ? proofs + 1 : 0;
    if (proofs == PROOFS) {
        // The beat follows the display again. The lead the timer's frames had built is
        // forgiven, unless held frames soon show the proof false.
        forgivenLead = beat.lead(now);
        beat.start(now);
        heldBackFrames.reset();
        timer = false;
        provenAt = now;
        return true;
    }
    // Anything else proves nothing at once: a present that a swap queue with room took at
    // once, a slow frame on a fast display. The probe goes on for a few frames.
    probeSawAtOnce = probeSawAtOnce || blocked < period / AT_ONCE_DIVISOR;
    if (++probeFrames < PROBE_FRAMES || proofs > 0) {
        return false;
    }
    probeEvery =
        probeSawAtOnce ? PROBE_FIRST_PERIODS * period : std::min(probeEvery * 2, PROBE_MOST_PERIODS * period);
    return true;
}

void FramePacer::followTimer(Uint64 now)
{
    timer = true;
    if (forgivenLead == 0) {
        timerSince = now;
        return;
    }
    // The last proof was false: the frames pay back the lead it forgave, and the timer
    // paces on as if it had never stopped.
    beat.delay(forgivenLead);
    forgivenLead = 0;
}

void FramePacer::logChanges(Uint64 now)
{
    if (!vsync) {
        return;
    }
    if (!timer && heldBackFrames.count() >= HELD_BACK_FRAMES) {
        followTimer(now);
    }
    const bool proofLasted = now - provenAt >= PROOF_BELIED_WITHIN_PERIODS * period;
    if (proofLasted) {
        forgivenLead = 0;
    }
    if (timer && !timerLogged && now - timerSince >= LOG_AFTER_PERIODS * period) {
        SDL_Log("presents come faster than 60 a second: frames are paced by a timer");
        timerLogged = true;
    } else if (!timer && timerLogged && proofLasted) {
        SDL_Log("presents wait for a 60 Hz display: frames are paced by vertical sync");
        timerLogged = false;
    }
}

Uint64 pacingClock()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<Uint64>(now.tv_sec) * PACING_CLOCK_TICKS_PER_SECOND + static_cast<Uint64>(now.tv_nsec);
}

void sleepUntil(Uint64 pacingClockReading)
{
    // An absolute sleep: no drift from the time spent getting here, and nothing to spin.
    timespec until{};
    until.tv_sec = static_cast<time_t>(pacingClockReading / PACING_CLOCK_TICKS_PER_SECOND);
    until.tv_nsec = static_cast<long>(pacingClockReading % PACING_CLOCK_TICKS_PER_SECOND);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
