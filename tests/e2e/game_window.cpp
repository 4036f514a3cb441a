// SPDX-License-Identifier: Zlib
#include "game_window.h"

#include <filesystem>
#include <sstream>

void GameWindow::SetUp()
{
    ASSERT_TRUE(x.running()) << "Xvfb did not start";
    // The game's own data, whatever of it the repository holds, and a mapping file.
    std::error_code none;
    std::filesystem::copy(dir.previous / "assets", dir.root / "assets", none);
    dir.writeAsset("gamecontrollerdb.txt", "# no mappings of our own\n");
}

void GameWindow::launch(const ChildProcess::EnvChanges& extraEnv)
{
    launchCommand({PLORVIK_BINARY}, extraEnv);
}

void GameWindow::launchCommand(const std::vector<std::string>& command,
                               const ChildProcess::EnvChanges& extraEnv)
{
    // The test environment of the unit tests must not leak in.
    ChildProcess::EnvChanges env = {
        {"SDL_VIDEODRIVER", "x11"},
        {"SDL_AUDIODRIVER", "dummy"},
        {"SDL_RENDER_DRIVER", std::nullopt},
        {"SDL_RENDER_VSYNC", std::nullopt},
    };
    for (const auto& [name, value] : extraEnv) {
        env[name] = value;
    }
    game = std::make_unique<ChildProcess>(command, env, logPath());
    ASSERT_TRUE(game->started());
}

unsigned long GameWindow::launchAndFindWindow(const ChildProcess::EnvChanges& extraEnv)
{
    launch(extraEnv);
    const unsigned long window = findWindow("Plorvik");
    EXPECT_NE(window, 0u) << "no window titled Plorvik on " << x.display
                          << (x.serverAlive() ? "" : " (Xvfb has died)") << "; log:\n"
                          << gameLog();
    return window;
}

int GameWindow::logged(const std::string& line) const
{
    std::istringstream lines(gameLog());
    int count = 0;
    for (std::string each; std::getline(lines, each);) {
        count += each == line ? 1 : 0;
    }
    return count;
}

bool GameWindow::becomes(unsigned long window, const WindowSize& size)
{
    return pollUntil([&] { return windowSize(window) == size; });
}

void GameWindowManaged::SetUp()
{
    GameWindow::SetUp();
    if (!XServer::windowManagerInstalled()) {
        GTEST_SKIP() << "full screen needs a window manager: install " << XServer::WINDOW_MANAGER;
    }
    ASSERT_TRUE(x.startWindowManager());
    window = launchAndFindWindow();
    ASSERT_TRUE(focusWindow(window));
}
