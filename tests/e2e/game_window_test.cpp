#include "child_process.h"
#include "support/temp_work_dir.h"
#include "x_server.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace std::chrono_literals;

constexpr auto EXIT_TIMEOUT = 5s;
const WindowSize WINDOWED{640, 480};
const std::string TIMER_PACING = "INFO: no vertical sync: frames are paced by a timer";
const WindowSize FULL_SCREEN{XServer::SCREEN_WIDTH, XServer::SCREEN_HEIGHT};

// The real game binary in a real window on a private X server, started from a fresh
// working directory that holds a mapping file.
class GameWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        // The game's own data, whatever of it the repository holds, and a mapping file.
        std::error_code none;
        std::filesystem::copy(dir.previous / "assets", dir.root / "assets", none);
        dir.writeAsset("gamecontrollerdb.txt", "# no mappings of our own\n");
    }

    void launch(const ChildProcess::EnvChanges& extraEnv = {})
    {
        // The game's own renderer choice (OpenGL, vertical sync) on the X11 driver, with
        // silent audio; the test environment of the unit tests must not leak in.
        ChildProcess::EnvChanges env = {
            {"SDL_VIDEODRIVER", "x11"},
            {"SDL_AUDIODRIVER", "dummy"},
            {"SDL_RENDER_DRIVER", std::nullopt},
            {"SDL_RENDER_VSYNC", std::nullopt},
        };
        for (const auto& [name, value] : extraEnv) {
            env[name] = value;
        }
        game = std::make_unique<ChildProcess>(std::vector<std::string>{PLORVIK_BINARY}, env, logPath());
        ASSERT_TRUE(game->started());
    }
    unsigned long launchAndFindWindow(const ChildProcess::EnvChanges& extraEnv = {})
    {
        launch(extraEnv);
        const unsigned long window = findWindow("Plorvik");
        EXPECT_NE(window, 0u) << "no window titled Plorvik on " << x.display
                              << (x.serverAlive() ? "" : " (Xvfb has died)") << "; log:\n"
                              << gameLog();
        return window;
    }

    std::string logPath() const { return (dir.root / "game.log").string(); }
    std::string gameLog() const { return readFile(logPath()); }
    int logged(const std::string& line) const
    {
        std::istringstream lines(gameLog());
        int count = 0;
        for (std::string each; std::getline(lines, each);) {
            count += each == line ? 1 : 0;
        }
        return count;
    }
    bool becomes(unsigned long window, const WindowSize& size)
    {
        return pollUntil([&] { return windowSize(window) == size; });
    }

    XServer x;
    TempWorkDir dir;
    std::unique_ptr<ChildProcess> game;
};

// Full screen is the window manager's to grant: without one the window stays as it is.
class GameWindowManaged : public GameWindow {
protected:
    void SetUp() override
    {
        GameWindow::SetUp();
        if (!XServer::windowManagerInstalled()) {
            GTEST_SKIP() << "full screen needs a window manager: install " << XServer::WINDOW_MANAGER;
        }
        ASSERT_TRUE(x.startWindowManager());
        window = launchAndFindWindow();
        ASSERT_TRUE(focusWindow(window));
    }

    unsigned long window = 0;
};

} // namespace

TEST_F(GameWindow, OpensA640By480WindowTitledPlorvik)
{
    const unsigned long window = launchAndFindWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(windowSize(window), WINDOWED);
}

TEST_F(GameWindow, EscapeQuitsWithStatusZero)
{
    const unsigned long window = launchAndFindWindow();
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

TEST_F(GameWindowManaged, LeftAltEnterTogglesDesktopFullScreenAndBack)
{
    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, FULL_SCREEN)) << windowSize(window).width;
    EXPECT_TRUE(hasWindowState(window, "_NET_WM_STATE_FULLSCREEN"));

    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, WINDOWED)) << windowSize(window).width;
    EXPECT_FALSE(hasWindowState(window, "_NET_WM_STATE_FULLSCREEN"));
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

TEST_F(GameWindow, StartsWithoutMappingFileAndSaysSo)
{
    std::filesystem::remove(dir.root / "assets" / "gamecontrollerdb.txt");
    const unsigned long window = launchAndFindWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(logged("INFO: doesn't load assets/gamecontrollerdb.txt"), 1);
    ASSERT_TRUE(requestClose(window));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
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
    launch({{"DISPLAY", std::nullopt}});
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 1);
    EXPECT_EQ(logged("CRITICAL: x11 not available"), 1) << gameLog();
}
