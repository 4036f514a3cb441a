// SPDX-License-Identifier: Zlib
#include "game_screens.h"

#include <filesystem>
#include <set>
#include <thread>

namespace {

// Title screen
constexpr int LOGO_X = 40;
constexpr int LOGO_REST_Y = 56;
constexpr int LOGO_START_Y = 238;
const ScreenPoint VERSION_POS{60, 128};
const char* const VERSION_TEXT = "A L P H A   V E R S I O N";

// Mission intro of the first wave
const ScreenPoint MISSION_POS{16, 104};
const ScreenPoint DEFEAT_POS{16, 128};

// Play
const ScreenPoint SCORE_LABEL_POS{8, 0};
const ScreenPoint PLAYER_POS{152, 112}; // the middle of the logical screen
const ScreenPoint PLAYER_CENTRE{160, 120};
constexpr int SHOT_REACH = 64; // logical pixels: 16 frames of a shot's flight away from the plane
constexpr int BULLET_HALF = 4;

constexpr auto POLL_INTERVAL = std::chrono::milliseconds(15);

std::string testName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Colours of the bullet that nothing else on the sheet has: any of them on screen is
// a bullet, however it is turned.
std::set<std::uint32_t> bulletOnlyColours(const SheetPicture& sheet)
{
    std::set<std::uint32_t> bullet;
    std::set<std::uint32_t> elsewhere = {0xE40058u, 0xFF0000u}; // life bar and radar blip fills
    for (int y = 0; y < sheet.pixelsHigh(); ++y) {
        for (int x = 0; x < sheet.pixelsWide(); ++x) {
            const std::uint32_t texel = sheet.texel(x, y);
            if ((texel & 0xFFu) != 0xFFu) {
                continue;
            }
            const bool inBullet = x >= BULLET_SPRITE.x && x < BULLET_SPRITE.x + BULLET_SPRITE.w &&
                                  y >= BULLET_SPRITE.y && y < BULLET_SPRITE.y + BULLET_SPRITE.h;
            (inBullet ? bullet : elsewhere).insert(texel >> 8);
        }
    }
    for (std::uint32_t colour : elsewhere) {
        bullet.erase(colour);
    }
    return bullet;
}

} // namespace

void GameScreens::SetUp()
{
    GameWindow::SetUp();
    ASSERT_TRUE(sheet.loaded()) << "the tests read the repository's assets/sprites.png";
    bulletColours = bulletOnlyColours(sheet);
    ASSERT_FALSE(bulletColours.empty()) << "the bullet shares every colour with other sprites";
}

void GameScreens::start(const ChildProcess::EnvChanges& extraEnv)
{
    window = launchAndFindWindow(extraEnv);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(focusWindow(window));
}

void GameScreens::startAGame()
{
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return titleWaiting(s); })) << failureNote();
    ASSERT_TRUE(holdKeyUntil("z", [&](const Screenshot& s) { return missionIntroShown(s); }))
        << failureNote();
}

std::optional<Screenshot> GameScreens::holdKeyUntil(const std::string& key, const Condition& condition)
{
    if (!typeKeys("keydown " + key)) {
        return std::nullopt;
    }
    std::optional<Screenshot> seen = waitForScreen(condition);
    typeKeys("keyup " + key);
    return seen;
}

std::optional<Screenshot> GameScreens::fireUntilAShotIsSeen()
{
    constexpr auto SHOT_IN_SIGHT = std::chrono::milliseconds(500);
    std::optional<Screenshot> seen;
    pollUntil([&] {
        typeKeys("keydown z");
        seen = waitForScreen([&](const Screenshot& s) { return bulletPixelsAheadOfPlayer(s) > 0; },
                             SHOT_IN_SIGHT);
        typeKeys("keyup z");
        return seen.has_value();
    });
    return seen;
}

std::optional<std::pair<int, int>> GameScreens::pixelOffItsBlock(const Screenshot& s)
{
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            if (s.at(x, y) != s.at(x & ~1, y & ~1)) {
                return std::make_pair(x, y);
            }
        }
    }
    return std::nullopt;
}

std::optional<Screenshot> GameScreens::waitForScreen(const Condition& condition,
                                                     std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Screenshot last;
    do {
        last = shot();
        if (!last.empty() && condition(last)) {
            return last;
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    } while (std::chrono::steady_clock::now() < deadline);
    lastShotPath = (std::filesystem::temp_directory_path() / ("plorvik-" + testName() + ".png")).string();
    last.savePng(lastShotPath);
    return std::nullopt;
}

std::string GameScreens::failureNote() const
{
    return "last screenshot: " + lastShotPath + "\ngame log:\n" + gameLog();
}

bool GameScreens::pictureMoves(const Screenshot& s, std::chrono::milliseconds span) const
{
    std::this_thread::sleep_for(span);
    return shot() != s;
}

int GameScreens::logoY(const Screenshot& s) const
{
    for (int y = LOGO_REST_Y; y <= LOGO_START_Y; ++y) {
        if (shows(s, sheet, {{{LOGO_X, y}, TITLE_LOGO}}, Backdrop::BLACK)) {
            return y;
        }
    }
    return -1;
}

bool GameScreens::titleWaiting(const Screenshot& s) const
{
    return logoY(s) == LOGO_REST_Y &&
           shows(s, sheet, textCopies(VERSION_POS, VERSION_TEXT, false), Backdrop::BLACK);
}

bool GameScreens::missionIntroShown(const Screenshot& s) const
{
    return shows(s, sheet, textCopies(MISSION_POS, "M I S S I O N", true), Backdrop::ANY) &&
           shows(s, sheet, textCopies(DEFEAT_POS, "DEFEAT 10 ENEMIES", false), Backdrop::ANY);
}

bool GameScreens::scoreLabelShown(const Screenshot& s, double scale) const
{
    return shows(s, sheet, {{SCORE_LABEL_POS, SCORE_LABEL}}, Backdrop::ANY, scale);
}

std::optional<int> GameScreens::playerTurn(const Screenshot& s) const
{
    for (int frame = 0; frame < PLANE_FRAMES; ++frame) {
        for (bool mirrored : {false, true}) {
            const Placement copy{PLAYER_POS, planeFrame(PLAYER_PLANES_Y, frame), mirrored};
            if (shows(s, sheet, {copy}, Backdrop::ANY)) {
                return mirrored ? -frame : frame;
            }
        }
    }
    return std::nullopt;
}

std::vector<int> GameScreens::framesWhileHolding(const std::string& key, int last)
{
    std::vector<int> seen;
    EXPECT_TRUE(typeKeys("keydown " + key));
    waitForScreen([&](const Screenshot& s) {
        const std::optional<int> turn = playerTurn(s);
        if (turn && (seen.empty() || seen.back() != *turn)) {
            seen.push_back(*turn);
        }
        return turn == last;
    });
    EXPECT_TRUE(typeKeys("keyup " + key));
    return seen;
}

int GameScreens::bulletPixelsAheadOfPlayer(const Screenshot& s) const
{
    int count = 0;
    for (int y = (PLAYER_CENTRE.y - SHOT_REACH) * 2; y < (PLAYER_CENTRE.y + BULLET_HALF) * 2; ++y) {
        for (int x = (PLAYER_CENTRE.x - SHOT_REACH) * 2; x < (PLAYER_CENTRE.x + BULLET_HALF) * 2; ++x) {
            count += bulletColours.count(s.at(x, y)) != 0 ? 1 : 0;
        }
    }
    return count;
}
