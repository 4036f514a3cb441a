// SPDX-License-Identifier: Zlib
#pragma once

// Every speed and timer of the game counts frames of a nominal 60 Hz display: speeds
// in units per second move speed / FRAMES_PER_SECOND a frame, timers count frames.
constexpr int FRAMES_PER_SECOND = 60;
