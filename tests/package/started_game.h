// SPDX-License-Identifier: Zlib
#pragma once

#include "support/child_process.h"
#include "support/x_tools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Starts the game the way a player would (a launcher, a script), on the X server in
// DISPLAY, and ends it with Escape: the game's own renderer choice on the X11 driver,
// silent audio, and none of the unit tests' SDL settings.
class StartedGame {
public:
    static constexpr std::chrono::seconds EXIT_TIMEOUT = PATIENCE;

    StartedGame(const std::string& command, std::string logPath)
        : log(std::move(logPath)), game({command},
                                        {
                                            {"SDL_VIDEODRIVER", "x11"},
                                            {"SDL_AUDIODRIVER", "dummy"},
                                            {"SDL_RENDER_DRIVER", std::nullopt},
                                            {"SDL_RENDER_VSYNC", std::nullopt},
                                        },
                                        log)
    {
    }

    // Waits for the window, presses Escape, and expects a clean exit with status 0 and
    // a log free of complaints about missing data.
    void expectWindowThenQuitOnEscape(std::chrono::milliseconds windowTimeout = PATIENCE)
    {
        ASSERT_TRUE(game.started());
        const unsigned long window = findWindow("Plorvik", windowTimeout);
        ASSERT_NE(window, 0u) << "no window titled Plorvik; log:\n" << readFile(log);
        ASSERT_TRUE(focusWindow(window));
        ASSERT_TRUE(typeKeys("key Escape"));
        EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT), 0) << readFile(log);
        EXPECT_EQ(dataComplaints(), std::vector<std::string>{});
    }

    // Lines that say the game started without its data: it runs on regardless, so the
    // exit status alone would not tell.
    std::vector<std::string> dataComplaints() const
    {
        std::vector<std::string> found;
        std::istringstream lines(readFile(log));
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("WARN:", 0) == 0 || line.rfind("CRITICAL:", 0) == 0 ||
                line.find("doesn't load") != std::string::npos) {
                found.push_back(line);
            }
        }
        return found;
    }

private:
    std::string log;
    ChildProcess game;
};
