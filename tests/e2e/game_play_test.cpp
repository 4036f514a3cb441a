// SPDX-License-Identifier: Zlib
#include "game_screens.h"

#include <vector>

// A player's session with the real binary: real key events, and every check a region
// of the 640x480 window compared with what the sprite sheet says must be there.

namespace {

using namespace std::chrono_literals;

constexpr int UP_LEFT = 2; // the player's heading as a mission begins

constexpr int CLOCKWISE = -1;
constexpr int COUNTER_CLOCKWISE = 1;
constexpr int TURN_FRAMES = 16; // a whole turn
constexpr int MOST_FRAMES_MISSED = 2;

// Every change between frames seen one after the other is a step of one to three
// frames in `direction`.
::testing::AssertionResult turnsOneWay(const std::vector<int>& frames, int direction)
{
    std::string seen;
    bool oneWay = frames.size() >= 2;
    for (size_t i = 0; i < frames.size(); ++i) {
        seen += " " + std::to_string(frames[i]);
        if (i > 0) {
            const int step = ((frames[i] - frames[i - 1]) * direction + TURN_FRAMES) % TURN_FRAMES;
            oneWay = oneWay && step >= 1 && step <= 1 + MOST_FRAMES_MISSED;
        }
    }
    return (oneWay ? ::testing::AssertionSuccess() : ::testing::AssertionFailure()) << "frames seen:" << seen;
}

} // namespace

TEST_F(GameScreens, AGameWithTurnsShotsAndAPauseEndsWithEscapeAndStatusZero)
{
    start();
    ASSERT_NO_FATAL_FAILURE(startAGame());

    // Play begins with the intro's texts gone and the plane heading up and to the left.
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) {
        return !missionIntroShown(s) && playerTurn(s) == UP_LEFT;
    })) << failureNote();

    // Right turns the plane clockwise, left turns it back. Each frame shows for a third
    // of a second; a screenshot that comes late may miss one, never reverse the order.
    EXPECT_TRUE(turnsOneWay(framesWhileHolding("Right", -1), CLOCKWISE)) << failureNote();
    EXPECT_TRUE(turnsOneWay(framesWhileHolding("Left", UP_LEFT), COUNTER_CLOCKWISE)) << failureNote();

    // The shot leaves at the key's going down and flies off ahead of the plane, turned on
    // the logical screen's pixels like everything else.
    const std::optional<Screenshot> shotSeen = fireUntilAShotIsSeen();
    EXPECT_TRUE(shotSeen) << "no shot seen ahead of the plane\n" << failureNote();
    if (const auto off = shotSeen ? pixelOffItsBlock(*shotSeen) : std::nullopt) {
        ADD_FAILURE() << "window pixel (" << off->first << ", " << off->second << ") is not its block's";
    }

    // Paused, the picture stands still; resumed, the ground moves on under the plane. P is
    // held until a whole second stands still: a loaded machine can stall the game for
    // a shorter time, and a key released before the game saw it is never pressed.
    EXPECT_TRUE(holdKeyUntil("p", [&](const Screenshot& s) { return !pictureMoves(s, 1s); }))
        << "pause did not freeze the picture";
    EXPECT_TRUE(holdKeyUntil("p", [&](const Screenshot& s) { return pictureMoves(s, 100ms); }))
        << "no resume";

    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
}

TEST_F(GameScreens, AltEnterTogglesFullScreenAndBackDuringAGame)
{
    if (!XServer::windowManagerInstalled()) {
        GTEST_SKIP() << "full screen needs a window manager: install " << XServer::WINDOW_MANAGER;
    }
    ASSERT_TRUE(x.startWindowManager());
    start();
    ASSERT_NO_FATAL_FAILURE(startAGame());

    // The 320x240 picture fills the 1024x768 screen, 3.2 times enlarged.
    constexpr double FULL_SCREEN_SCALE = 3.2;
    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, FULL_SCREEN));
    EXPECT_TRUE(hasWindowState(window, "_NET_WM_STATE_FULLSCREEN"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) {
        return s.width == FULL_SCREEN.width && scoreLabelShown(s, FULL_SCREEN_SCALE);
    })) << failureNote();

    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, WINDOWED));
    EXPECT_FALSE(hasWindowState(window, "_NET_WM_STATE_FULLSCREEN"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) {
        return s.width == WINDOWED.width && scoreLabelShown(s, WINDOW_SCALE) && pictureMoves(s, 100ms);
    })) << "the game did not go on drawing in the window\n"
        << failureNote();

    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
}
