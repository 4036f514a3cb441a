// SPDX-License-Identifier: Zlib
#pragma once

#include <random>

// The game's random sequence, followed beside the random source: every test starts the
// source from its first value (u / 2^32 of an mt19937 with the game's constant seed).
class ExpectedRandom {
public:
    double next() { return static_cast<double>(engine()) / 4294967296.0; }

private:
    std::mt19937 engine{3499211612u};
};
