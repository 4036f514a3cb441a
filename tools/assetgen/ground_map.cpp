// SPDX-License-Identifier: Zlib
#include "ground_map.h"

#include "periodic_noise.h"
#include "prng.h"

#include <algorithm>

namespace {

constexpr std::uint64_t MAP_SEED = 0x506C6F7276696B02ull;
constexpr double VARIANT_CHANCE = 0.16;
// Share of the map's corners at or below each level.
constexpr double LEVEL_SHARE[LEVEL_COUNT] = {0.38, 0.52, 0.56, 0.85, 1.0};
constexpr char MAP_HEADER_TEXT[BG_HEADER_SIZE + 1] = "PLORVIK GROUND 40x40";

// Heights at the map's corners, from wrapping fractal noise cut into levels by share.
std::vector<int> cornerLevels(Prng& random)
{
    const PeriodicNoise broad(5, random);
    const PeriodicNoise middle(10, random);
    const PeriodicNoise detail(20, random);
    std::vector<double> height(MAP_SIZE * MAP_SIZE);
    for (int y = 0; y < MAP_SIZE; ++y) {
        for (int x = 0; x < MAP_SIZE; ++x) {
            const double u = static_cast<double>(x) / MAP_SIZE;
            const double v = static_cast<double>(y) / MAP_SIZE;
            height[static_cast<size_t>(y * MAP_SIZE + x)] =
                broad.at(u * 5, v * 5) + 0.5 * middle.at(u * 10, v * 10) + 0.22 * detail.at(u * 20, v * 20);
        }
    }
    std::vector<double> sorted = height;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> levels(height.size());
    for (size_t i = 0; i < height.size(); ++i) {
        int level = 0;
        while (level + 1 < LEVEL_COUNT &&
               height[i] > sorted[static_cast<size_t>(LEVEL_SHARE[level] * (sorted.size() - 1))]) {
            ++level;
        }
        levels[i] = level;
    }
    return levels;
}

// Lowers corners until every corner is within one level of its eight neighbours, so each
// tile spans two neighbouring levels at most.
void limitSlopes(std::vector<int>& levels)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (int y = 0; y < MAP_SIZE; ++y) {
            for (int x = 0; x < MAP_SIZE; ++x) {
                int& here = levels[static_cast<size_t>(y * MAP_SIZE + x)];
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = (x + dx + MAP_SIZE) % MAP_SIZE;
                        const int ny = (y + dy + MAP_SIZE) % MAP_SIZE;
                        const int there = levels[static_cast<size_t>(ny * MAP_SIZE + nx)];
                        if (here > there + 1) {
                            here = there + 1;
                            changed = true;
                        }
                    }
                }
            }
        }
    }
}

} // namespace

std::vector<std::uint8_t> makeMapFile(const TileSet& tileSet)
{
    Prng random(MAP_SEED);
    std::vector<int> levels = cornerLevels(random);
    limitSlopes(levels);
    const auto level = [&levels](int x, int y) {
        return levels[static_cast<size_t>((y % MAP_SIZE) * MAP_SIZE + x % MAP_SIZE)];
    };
    std::vector<std::uint8_t> file(MAP_HEADER_TEXT, MAP_HEADER_TEXT + BG_HEADER_SIZE);
    for (int y = 0; y < MAP_SIZE; ++y) {
        for (int x = 0; x < MAP_SIZE; ++x) {
            const Corners c{level(x, y), level(x + 1, y), level(x, y + 1), level(x + 1, y + 1)};
            const std::vector<std::uint8_t>& choices = tileSet.tilesFor(c);
            std::uint8_t tile = choices.front();
            if (choices.size() > 1 && random.unit() < VARIANT_CHANCE) {
                tile = choices[1 + static_cast<size_t>(random.below(static_cast<int>(choices.size()) - 1))];
            }
            file.push_back(tile);
        }
    }
    return file;
}
