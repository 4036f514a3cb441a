// SPDX-License-Identifier: Zlib
#pragma once

#include "steady_wave.h"

#include <optional>
#include <string>

// Runs `frames` whole frames of play through the shell's runFrame, restoring the wave
// whenever it is due.
void playFrames(SteadyWave& wave, int frames);

// The game's whole frame (events, update, draw, present) in play with `size`, through the
// shell's own runFrame after startUp, for about `seconds`: milliseconds per frame. The
// restores of the steady wave fall outside the timing.
double wholeFrameMilliseconds(WaveSize size, double seconds);

// SDL's own sprite benchmark with `sprites` sprites in the game's window and logical
// size, OpenGL, no vertical sync: milliseconds per frame from its first report (it
// reports frames per second every 5 seconds); nullopt when it cannot run.
std::optional<double> testspriteMilliseconds(const std::string& path, int sprites);

// The rate in one of testsprite2's reports ("INFO: 277.23 frames per second"); nullopt
// for any other line, or for a rate that is not positive.
std::optional<double> framesPerSecond(const std::string& line);
