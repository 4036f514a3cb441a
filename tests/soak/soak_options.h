// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>
#include <string>

// The soak driver's command line:
//   plorvik_soak FRAMES SEED [--hot-plug EVENTS] [--every-screen] [--rss-tolerance KIB | --no-rss-check]
struct SoakOptions {
    long frames = 0;
    std::uint32_t seed = 0;
    long hotPlugEvents = 0;      // controller plug and unplug events spread over the run
    bool everyScreen = false;    // fail unless every screen was reached at least twice
    bool checkMemory = true;     // fail if the peak resident memory grows after warm-up
    long rssToleranceKiB = 1024; // growth allowed for allocator noise
};

// False (with a message in `error`) when the command line cannot be read.
bool parseSoakOptions(int argc, char* argv[], SoakOptions& options, std::string& error);
const char* soakUsage();
// Frames run before the memory baseline is taken: a tenth of the run, at most 20,000.
long warmUpFrames(const SoakOptions& options);
