// SPDX-License-Identifier: Zlib
#pragma once

// The game's one source of chance: a uniform value in [0, 1) from a constant-seeded
// Mersenne Twister, so every run draws the same sequence.
double random01();

// Starts the sequence again from its first value. The game never needs this; tests that
// share one process do.
void restartRandom01();
