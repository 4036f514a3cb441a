// SPDX-License-Identifier: Zlib
#pragma once

#include <string>
#include <vector>

// Start-up to the first presented frame and peak resident memory of a program that
// announces both (probe_signals.h), as medians over several runs.
struct StartupFigures {
    double milliseconds = 0.0;
    double cpuMilliseconds = 0.0; // processor time of all its threads
    double peakMiB = 0.0;
    int runs = 0; // runs that announced both and exited with 0
};

// Runs each command in turn, `runs` rounds, so that all of them meet the same load;
// the figures in the order of the commands.
std::vector<StartupFigures> compareStartup(const std::vector<std::vector<std::string>>& commands, int runs);
