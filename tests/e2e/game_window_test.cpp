// SPDX-License-Identifier: Zlib
#include "game_window.h"

#include <filesystem>
#include <optional>
#include <string>

namespace {

const std::string TIMER_PACING = "INFO: no vertical sync: frames are paced by a timer";

} // namespace

TEST_F(GameWindow, OpensA640By480WindowAndEscapeQuitsWithStatusZero)
{
    const unsigned long window = launchAndFindWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(windowSize(window), WINDOWED);
    ASSERT_TRUE(focusWindow(window));
    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
    // Xvfb's OpenGL renderer has vertical sync.
    EXPECT_EQ(logged(TIMER_PACING), 0);
}

TEST_F(GameWindow, ClosingTheWindowQuitsWithStatusZero)
{
    const unsigned long window = launchAndFindWindow();
    ASSERT_TRUE(requestClose(window));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
}

TEST_F(GameWindowManaged, EnterWithRightAltOrNumLockDoesNotToggle)
{
    // Events are handled in order: had the first Enter toggled, the second would toggle
    // back and the window would never reach the expected size.
    ASSERT_TRUE(typeKeys("key Alt_R+Return alt+Return"));
    EXPECT_TRUE(becomes(window, FULL_SCREEN));
    ASSERT_TRUE(typeKeys("key Num_Lock alt+Return Num_Lock alt+Return"));
    EXPECT_TRUE(becomes(window, WINDOWED));
}

TEST_F(GameWindow, WithoutVerticalSyncFramesArePacedByATimer)
{
    const unsigned long window = launchAndFindWindow({{"SDL_RENDER_VSYNC", "0"}});
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(requestClose(window));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
    EXPECT_EQ(logged(TIMER_PACING), 1);
}

TEST_F(GameWindow, NoReachableDisplayIsCriticalAndExitsWithStatusOne)
{
    struct Case {
        const char* what;
        ChildProcess::EnvChanges env;
        std::string line;
    };
    // Left to choose, SDL falls back on a driver that shows nothing: the game must not run unseen.
    const std::string noDisplay = "CRITICAL: no display could be opened";
    const auto unasked = [](const char* display) {
        return ChildProcess::EnvChanges{
            {"SDL_VIDEODRIVER", std::nullopt},
            {"WAYLAND_DISPLAY", std::nullopt},
            {"DISPLAY", display ? std::optional<std::string>(display) : std::nullopt}};
    };
    const Case cases[] = {
        {"X11 asked for", {{"DISPLAY", std::nullopt}}, "CRITICAL: x11 not available"},
        {"no DISPLAY", unasked(nullptr), noDisplay},
        {"DISPLAY of no server", unasked(":4095"), noDisplay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        launch(c.env);
        EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 1);
        EXPECT_EQ(logged(c.line), 1) << gameLog();
    }
}

// Started without standard error, or without any standard stream, as some launchers and
// services start programs: the X connection must not take a stream's number and then
// receive the log lines. Without vertical sync the game logs a line in its first frame.
class ClosedStreams : public GameWindow, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClosedStreams, GameRunsAndQuitsOnEscapeWithStatusZero)
{
    const std::string redirections = GetParam();
    launchCommand({"/bin/sh", "-c", "exec \"$0\" " + redirections, PLORVIK_BINARY},
                  {{"SDL_RENDER_VSYNC", "0"}});
    const unsigned long window = findWindow("Plorvik");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(focusWindow(window));
    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0) << "started with " << redirections;
}

INSTANTIATE_TEST_SUITE_P(Launchers, ClosedStreams, ::testing::Values("2>&-", ">&- 2>&-"));
