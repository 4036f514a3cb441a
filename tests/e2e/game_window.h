// SPDX-License-Identifier: Zlib
#pragma once

#include "support/child_process.h"
#include "support/temp_work_dir.h"
#include "support/x_server.h"
#include "support/x_tools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// The real game binary in a real window on a private X server, started from a fresh
// working directory that holds the repository's assets and a mapping file of its own.
class GameWindow : public ::testing::Test {
protected:
    static constexpr std::chrono::seconds EXIT_TIMEOUT = PATIENCE;
    static constexpr WindowSize WINDOWED{640, 480};
    static constexpr WindowSize FULL_SCREEN{XServer::SCREEN_WIDTH, XServer::SCREEN_HEIGHT};

    void SetUp() override;

    // The game's own renderer choice (OpenGL, vertical sync) on the X11 driver, with
    // silent audio unless `extraEnv` says otherwise.
    void launch(const ChildProcess::EnvChanges& extraEnv = {});
    // The same with a command of the test's own, the game started by it.
    void launchCommand(const std::vector<std::string>& command, const ChildProcess::EnvChanges& extraEnv);
    unsigned long launchAndFindWindow(const ChildProcess::EnvChanges& extraEnv = {});

    std::string logPath() const { return (dir.root / "game.log").string(); }
    std::string gameLog() const { return readFile(logPath()); }
    // How many lines of the game's output are exactly `line`.
    int logged(const std::string& line) const;
    bool becomes(unsigned long window, const WindowSize& size);

    XServer x;
    TempWorkDir dir;
    std::unique_ptr<ChildProcess> game;
};

// Full screen is the window manager's to grant: without one the window stays as it is.
class GameWindowManaged : public GameWindow {
protected:
    void SetUp() override;

    unsigned long window = 0;
};
