// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One of the game's six effects, synthesised, normalised below full scale.
struct SoundEffect {
    std::string fileName;
    std::vector<std::int16_t> samples;
};

std::vector<SoundEffect> synthesiseSounds();
