// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SAMPLE_RATE = 44100; // the rate the game opens the mixer at, so nothing is resampled

// Writes mono 16-bit PCM at SAMPLE_RATE as a plain 44-byte-header RIFF WAVE file.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples);
