#pragma once

// The game's one source of chance: a uniform value in [0, 1) from a constant-seeded
// Mersenne Twister, so every run draws the same sequence.
double random01();
