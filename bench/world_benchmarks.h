// SPDX-License-Identifier: Zlib
#pragma once

#include <string>
#include <utility>
#include <vector>

// World::update and World::draw for every wave size, with Google Benchmark. Draw runs
// into a software renderer drawing into a 640x480 surface, and into the game's own
// renderer (platform.renderer, after startUp) when that is OpenGL.
struct BenchSettings {
    int repetitions = 3;
    double minSeconds = 0.2; // per repetition of World::update
    // Per repetition of World::draw: a fixed count, as the presents between the draws,
    // untimed, take many times as long as the draws themselves.
    int drawIterations = 200;
};

void registerWorldBenchmarks(const BenchSettings& settings, bool withOpenGl);

// Runs what is registered: each name ("update/100/200", "draw/software/10/0",
// "draw/opengl/50/200") with its median real time per iteration in microseconds.
using WorldTimes = std::vector<std::pair<std::string, double>>;
WorldTimes runWorldBenchmarks();
