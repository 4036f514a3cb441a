// SPDX-License-Identifier: Zlib
#pragma once

// In a browser the display's animation frames drive the loop, at whatever rate the
// display refreshes. The gate lets at most one game frame run per animation frame and
// no more than 60 a second: on a 120 or 144 Hz display it skips animation frames, on a
// 60 Hz one it runs every one, although their times jitter around the beat.
class AnimationFrameGate {
public:
    // `nowMs`: the animation frame's time in milliseconds. True when a game frame runs.
    bool due(double nowMs);

private:
    // How early an animation frame may come and still run: a 60 Hz frame that jitters
    // runs, while a 144 Hz frame 6.9 ms before the beat waits for the next one.
    static constexpr double EARLY_MS = 2.5;

    bool started = false;
    double nextMs = 0.0;
};
