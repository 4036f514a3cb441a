// SPDX-License-Identifier: Zlib
#pragma once

#include "soak/autopilot.h"
#include "soak/pad_bay.h"
#include "soak/soak_options.h"
#include "soak/world_watch.h"
#include "support/log_capture.h"
#include "support/memory_usage.h"

#include <random>
#include <string>
#include <vector>

// Runs the started game frame by frame with seeded controller input and hot-plug
// events, checking every frame, and stops at the first frame that breaks a rule.
class SoakRun {
public:
    SoakRun(const SoakOptions& options, LogCapture& log);

    // True when every frame passed; the faults are printed as they are found.
    bool run();
    void printSummary(double seconds) const;

private:
    void plugOrUnplugForFrame(long frame);
    bool runOneFrame(long frame);
    void checkLogLines(const std::vector<std::string>& hotPlugLines, std::vector<std::string>& worldLines,
                       std::vector<std::string>& faults) const;
    bool finish();
    bool reportFaults(long frame, const std::vector<std::string>& faults) const;

    SoakOptions options;
    LogCapture& log;
    std::mt19937 random;
    PadBay pads;
    Autopilot pilot;
    WorldWatch watch;
    long eventsLeft = 0;
    long framesRun = 0;
    MemoryUsage atStart;
    MemoryUsage afterWarmUp;
    MemoryUsage atEnd;
};
