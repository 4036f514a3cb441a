// SPDX-License-Identifier: Zlib
// Plays the real game headlessly for a given number of frames with seeded controller
// input and controller hot-plug, checking the game's rules after every frame.
#include "app/app.h"
#include "soak/soak_options.h"
#include "soak/soak_run.h"
#include "support/headless_drivers.h"
#include "support/log_capture.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

void printLines(const LogCapture& log)
{
    for (const LoggedLine& line : log.lines()) {
        std::fprintf(stderr, "start-up: %s\n", line.message.c_str());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    SoakOptions options;
    std::string error;
    if (!parseSoakOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "%s\n%s\n", error.c_str(), soakUsage());
        return 2;
    }
    // No window, no sound card and no pacing: frames run as fast as the CPU allows. The
    // dummy window never has focus, and SDL would drop the controllers' input.
    useHeadlessDrivers();
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    LogCapture log;
    const bool started = startUp();
    printLines(log);
    if (!started) {
        return 1;
    }
    if (SDL_NumJoysticks() != 0) {
        std::fprintf(stderr, "soak: this machine has joysticks of its own; the soak needs none\n");
        shutDown();
        return 1;
    }
    const auto began = std::chrono::steady_clock::now();
    bool passed = false;
    {
        SoakRun soak(options, log);
        passed = soak.run();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;
        soak.printSummary(elapsed.count());
    }
    shutDown();
    return passed ? 0 : 1;
}
