// SPDX-License-Identifier: Zlib
#pragma once

#include "prng.h"

#include <cmath>
#include <vector>

// Value noise over a square grid of random values that wraps round, so that it repeats
// seamlessly every `lattice` units on both axes. Sampled in grid units.
class PeriodicNoise {
public:
    PeriodicNoise(int lattice, Prng& random) : size(lattice), values(static_cast<size_t>(lattice * lattice))
    {
        for (double& v : values) {
            v = random.range(-1.0, 1.0);
        }
    }
    // (x, y) in lattice units.
    double at(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const int x0 = static_cast<int>(fx);
        const int y0 = static_cast<int>(fy);
        const double tx = smooth(x - fx);
        const double ty = smooth(y - fy);
        const double top = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * tx;
        const double bottom = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * tx;
        return top + (bottom - top) * ty;
    }

private:
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    double value(int x, int y) const
    {
        const int wx = ((x % size) + size) % size;
        const int wy = ((y % size) + size) % size;
        return values[static_cast<size_t>(wy * size + wx)];
    }
    int size;
    std::vector<double> values;
};
