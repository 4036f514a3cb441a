// SPDX-License-Identifier: Zlib
#include "app/animation_frame_gate.h"

#include "platform/frame_rate.h"

namespace {

constexpr double PERIOD_MS = 1000.0 / FRAMES_PER_SECOND;

} // namespace

bool AnimationFrameGate::due(double nowMs)
{
    if (started && nowMs < nextMs - EARLY_MS) {
        return false;
    }
    // After a stall (a hidden tab, a slow frame) the beat restarts rather than rushing
    // the following frames to catch up.
    nextMs = started && nowMs - nextMs < PERIOD_MS ? nextMs + PERIOD_MS : nowMs + PERIOD_MS;
    started = true;
    return true;
}
