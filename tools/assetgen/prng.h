// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>

// SplitMix64: tiny and the same on every platform, so the generated assets only change
// when their source does.
class Prng {
public:
    explicit Prng(std::uint64_t seed) : state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double low, double high) { return low + (high - low) * unit(); }
    int below(int count) { return static_cast<int>(unit() * count); }

private:
    std::uint64_t state = 0;
};
