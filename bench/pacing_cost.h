// SPDX-License-Identifier: Zlib
#pragma once

#include <optional>
#include <string>

// The real game's processor time per presented frame, and its presents a second, over
// the same stretch of one run.
struct PacedRun {
    double cpuMilliseconds = 0.0;
    double updatesPerSecond = 0.0;
    bool byTimer = false; // it logged that a timer paces its frames
};

struct PacingCost {
    PacedRun vsync; // a 60 Hz display's presents pace it
    PacedRun timer; // presents return at once, as for a hidden window: the timer paces it
};

// Runs the game twice at once under the present shim, `seconds` measured after the timer
// has taken over in the second; nullopt when either could not be measured.
std::optional<PacingCost> comparePacing(const std::string& game, const std::string& shim, double seconds);
