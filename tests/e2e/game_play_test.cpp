#include "game_screens.h"

#include <vector>

// A player's session with the real binary: real key events, and every check a region
// of the 640x480 window compared with what the sprite sheet says must be there.

namespace {

using namespace std::chrono_literals;

constexpr int LOGO_REST_Y = 56;
constexpr int SKIP_WELL_BEFORE_Y = 120; // about 40 frames of slide still to go
constexpr auto INTRO_AND_MORE = 8s;     // the intro lasts 181 frames
constexpr int UP_LEFT = 2;              // the player's heading as a mission begins

} // namespace

TEST_F(GameScreens, TitleLogoSlidesUpToRestAndThenThePromptBlinks)
{
    start();
    std::vector<int> positions;
    const auto rest = waitForScreen([&](const Screenshot& s) {
        const int y = logoY(s);
        if (y > 0 && (positions.empty() || positions.back() != y)) {
            positions.push_back(y);
        }
        return titleWaiting(s);
    });
    ASSERT_TRUE(rest) << failureNote();
    ASSERT_GE(positions.size(), 3u) << "the logo was not seen sliding";
    for (size_t i = 1; i < positions.size(); ++i) {
        EXPECT_LT(positions[i], positions[i - 1]) << "the logo only ever rises";
    }
    EXPECT_EQ(positions.back(), LOGO_REST_Y);

    // Shown 59 frames and hidden 61 in every 120, with the rest of the title still.
    for (const bool shown : {true, false, true}) {
        EXPECT_TRUE(waitForScreen([&](const Screenshot& s) {
            return titleWaiting(s) && (shown ? promptShown(s) : promptHidden(s));
        })) << (shown ? "prompt never shown\n" : "prompt never hidden\n")
            << failureNote();
    }
}

TEST_F(GameScreens, AKeyDuringTheSlideSkipsItAndOnlyASecondStartsTheGame)
{
    start();
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return logoY(s) > SKIP_WELL_BEFORE_Y; }))
        << failureNote();
    ASSERT_TRUE(tapKey("z"));

    const auto rest = waitForScreen([&](const Screenshot& s) { return logoY(s) == LOGO_REST_Y; });
    ASSERT_TRUE(rest) << failureNote();
    // A skipped slide shows the prompt at once; one that ran to its end hides it for a second.
    EXPECT_TRUE(titleWaiting(*rest));
    EXPECT_TRUE(promptShown(*rest)) << "the slide was not skipped";
    // Had the key also started the game, the intro would show within a frame.
    EXPECT_FALSE(waitForScreen([&](const Screenshot& s) { return !titleWaiting(s); }, 500ms));

    ASSERT_TRUE(tapKey("z"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) { return missionIntroShown(s); })) << failureNote();
}

TEST_F(GameScreens, AGameWithTurnsShotsAndAPauseEndsWithEscapeAndStatusZero)
{
    start();
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return titleWaiting(s); })) << failureNote();
    ASSERT_TRUE(tapKey("z"));
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return missionIntroShown(s); })) << failureNote();

    // Play begins with the intro's texts gone and the plane heading up and to the left.
    ASSERT_TRUE(
        waitForScreen([&](const Screenshot& s) { return !missionIntroShown(s) && playerTurn(s) == UP_LEFT; },
                      INTRO_AND_MORE))
        << failureNote();

    // Right turns clockwise through each frame in turn, left turns back. The frames are
    // those shown after the one the plane was in when the key went down.
    const auto framesWhileHolding = [&](const std::string& key, int from, int to) {
        std::vector<int> seen;
        EXPECT_TRUE(typeKeys("keydown " + key));
        waitForScreen([&](const Screenshot& s) {
            const std::optional<int> turn = playerTurn(s);
            if (turn && !(seen.empty() && turn == from) && (seen.empty() || seen.back() != *turn)) {
                seen.push_back(*turn);
            }
            return turn == to;
        });
        EXPECT_TRUE(typeKeys("keyup " + key));
        return seen;
    };
    EXPECT_EQ(framesWhileHolding("Right", UP_LEFT, -1), (std::vector<int>{1, 0, -1})) << failureNote();
    EXPECT_EQ(framesWhileHolding("Left", -1, UP_LEFT), (std::vector<int>{0, 1, UP_LEFT})) << failureNote();

    // The shot leaves at the key's going down and is out of sight within half a second.
    ASSERT_TRUE(typeKeys("keydown z"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) { return bulletPixelsAheadOfPlayer(s) > 0; }, 500ms))
        << "no shot seen ahead of the plane\n"
        << failureNote();
    ASSERT_TRUE(typeKeys("keyup z"));

    // Paused, the picture stands still; resumed, the ground moves on under the plane.
    ASSERT_TRUE(tapKey("p"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) { return !pictureMoves(s, 300ms); }))
        << "pause did not freeze the picture";
    ASSERT_TRUE(tapKey("p"));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) { return pictureMoves(s, 100ms); })) << "no resume";

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
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return titleWaiting(s); })) << failureNote();
    ASSERT_TRUE(tapKey("z"));
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return missionIntroShown(s); })) << failureNote();

    // The 320x240 picture fills the 1024x768 screen, 3.2 times enlarged.
    constexpr double FULL_SCREEN_SCALE = 3.2;
    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, FULL_SCREEN));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) {
        return s.width == FULL_SCREEN.width && scoreLabelShown(s, FULL_SCREEN_SCALE);
    })) << failureNote();

    ASSERT_TRUE(typeKeys("key alt+Return"));
    EXPECT_TRUE(becomes(window, WINDOWED));
    EXPECT_TRUE(waitForScreen([&](const Screenshot& s) {
        return s.width == WINDOWED.width && scoreLabelShown(s, WINDOW_SCALE) && pictureMoves(s, 100ms);
    })) << "the game did not go on drawing in the window\n"
        << failureNote();

    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
}
