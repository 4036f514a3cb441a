// SPDX-License-Identifier: Zlib
#include "app/app_context.h"
#include "app/scenes.h"
#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "world/world.h"

#include "support/log_capture.h"
#include "support/software_canvas.h"
#include "support/synthetic_sheet.h"
#include "support/temp_work_dir.h"

#include <gtest/gtest.h>

namespace {

constexpr ButtonMask A_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_A);
constexpr ButtonMask B_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_B);
constexpr ButtonMask START_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_START);

// Small and large glyph cells used to recognise the screens' texts.
constexpr SheetRect SMALL_P = glyphCell('P', false);
constexpr SheetRect SMALL_E = glyphCell('E', false);
constexpr SheetRect SMALL_SPACE = glyphCell(' ', false);
constexpr SheetRect SMALL_2 = glyphCell('2', false);
constexpr SheetRect LARGE_G = glyphCell('G', true);
constexpr SheetRect LARGE_M = glyphCell('M', true);

// The screens as the frame loop runs them: the synthetic sheet on a software canvas, a
// World made by createWorld, and an input record whose masks each frame sets directly.
class Scenes : public testing::Test {
protected:
    Scenes()
    {
        platform.renderer = canvas.renderer;
        platform.input = &input;
        LogCapture quiet; // no map file here
        createWorld();
    }
    ~Scenes() override
    {
        destroyWorld();
        platform.input = nullptr;
        platform.renderer = nullptr;
    }

    // One frame with `pressed` going down in it, as InputState::update would report it.
    void frame(ButtonMask pressed = 0)
    {
        input.pressed = pressed;
        input.held = pressed;
        canvas.clear();
        runScene();
    }
    void frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            frame();
        }
    }

    void finishTitleSlide() { frames(120); }
    void startGame()
    {
        frame(A_BUTTON); // skips the slide
        frame(A_BUTTON); // starts the game
    }
    void startPlaying()
    {
        startGame();
        frames(181);
        ASSERT_EQ(app.scene, SCENE_PLAYING);
    }
    void destroyWave()
    {
        for (auto& enemy : app.world->enemies) {
            enemy->alive = false;
        }
    }

    bool promptShown() const { return showsRegion(canvas, {96, 144}, SMALL_P); }
    bool groundShows() const { return sheetPixelAt(canvas, 0, 239).valid(); }

    TempWorkDir dir;
    SoftwareCanvas canvas;
    SyntheticSheet sheet{canvas.renderer};
    InputState input;
};

} // namespace

TEST_F(Scenes, TitleLogoSlidesUpInHundredTwentyFrames)
{
    const struct {
        int frames;
        int logoY;
        int ready;
    } cases[] = {{1, 238, 0}, {1, 236, 0}, {58, 148, 0}, {59, 57, 0}, {1, 56, 1}};
    for (const auto& c : cases) {
        frames(c.frames);
        EXPECT_EQ(app.titleLogoY, c.logoY);
        EXPECT_EQ(app.titleReady, c.ready);
        EXPECT_FALSE(promptShown());
        EXPECT_TRUE(showsRegion(canvas, {40, app.titleLogoY}, TITLE_LOGO));
        EXPECT_TRUE(showsRegion(canvas, {8, 0}, SCORE_LABEL)) << "the scores";
    }
    EXPECT_EQ(app.sceneTimer, 0);
    EXPECT_EQ(app.scene, SCENE_TITLE);
}

TEST_F(Scenes, ButtonDuringSlideSkipsItButDoesNotStartTheGame)
{
    frames(10);
    frame(B_BUTTON);
    EXPECT_EQ(app.titleReady, 1);
    EXPECT_EQ(app.titleLogoY, 56);
    EXPECT_EQ(app.sceneTimer, 60);
    EXPECT_EQ(app.scene, SCENE_TITLE);

    frame();
    EXPECT_TRUE(promptShown());
    EXPECT_EQ(app.scene, SCENE_TITLE);

    frame(B_BUTTON);
    EXPECT_EQ(app.scene, SCENE_MISSION_INTRO);
    EXPECT_EQ(app.sceneTimer, 0);
    EXPECT_EQ(app.world->enemies.size(), 10u);
}

TEST_F(Scenes, PromptBlinksWhileTheTitleWaits)
{
    finishTitleSlide();
    const struct {
        int waitingFrame;
        bool shown;
    } cases[] = {{1, false}, {60, false}, {61, true}, {119, true}, {120, false}, {181, true}};
    int done = 0;
    for (const auto& c : cases) {
        frames(c.waitingFrame - done);
        done = c.waitingFrame;
        EXPECT_EQ(promptShown(), c.shown) << "waiting frame " << c.waitingFrame;
        EXPECT_TRUE(showsRegion(canvas, {72, 212}, SMALL_2)) << "the credits";
    }
    EXPECT_EQ(app.scene, SCENE_TITLE);
}

TEST_F(Scenes, MissionIntroPlacesTheEnemyCountBetweenItsWords)
{
    const struct {
        int enemyCount;
        int enemiesX;
    } cases[] = {{10, 88}, {100, 96}};
    startGame();
    for (const auto& c : cases) {
        app.world->enemyCount = c.enemyCount;
        frame();
        EXPECT_TRUE(showsRegion(canvas, {16, 104}, LARGE_M));
        EXPECT_TRUE(showsRegion(canvas, {c.enemiesX, 128}, SMALL_SPACE)) << c.enemyCount;
        EXPECT_TRUE(showsRegion(canvas, {c.enemiesX + 8, 128}, SMALL_E)) << c.enemyCount;
        EXPECT_TRUE(groundShows());
    }
}

TEST_F(Scenes, MissionIntroLastsHundredEightyOneFramesThenPlayBegins)
{
    startGame();
    frames(180);
    EXPECT_EQ(app.scene, SCENE_MISSION_INTRO);
    EXPECT_TRUE(app.world->player->fireDisabled);
    frame();
    EXPECT_EQ(app.scene, SCENE_PLAYING);
    EXPECT_FALSE(app.world->player->fireDisabled);
    EXPECT_EQ(app.world->player->invulnerableTimer, 90);
}

TEST_F(Scenes, PauseDoesNotHoldTheIntroBack)
{
    startGame();
    frame(START_BUTTON);
    frames(180);
    EXPECT_EQ(app.scene, SCENE_PLAYING);
    EXPECT_TRUE(app.world->paused);
}

TEST_F(Scenes, ClearedWaveLeadsToALargerOne)
{
    startPlaying();
    app.world->enemyBullets.push_back(std::make_shared<Bullet>(1.0f, 1.0f, 1.0f, 0.0f));
    destroyWave();
    frame();
    EXPECT_EQ(app.scene, SCENE_MISSION_CLEAR);
    EXPECT_EQ(app.world->enemyCount, 15);
    EXPECT_TRUE(app.world->enemyBullets.empty()) << "shots in flight go with the wave";

    const float playerX = app.world->player->x;
    frame();
    EXPECT_TRUE(showsRegion(canvas, {52, 112}, LARGE_M));
    EXPECT_TRUE(groundShows());
    EXPECT_NE(app.world->player->x, playerX) << "play goes on behind the text";
    frames(238);
    frame(A_BUTTON);
    EXPECT_EQ(app.scene, SCENE_MISSION_CLEAR);
    frame();
    EXPECT_EQ(app.scene, SCENE_MISSION_INTRO);
    EXPECT_EQ(app.world->enemies.size(), 15u);
    EXPECT_TRUE(app.world->player->alive);
    EXPECT_EQ(app.world->playerBullets.size(), 1u) << "a shot fired on the clear screen flies on";
}

TEST_F(Scenes, GameOverLeavesOnFireAfterHundredTwentyFramesOrByItself)
{
    const struct {
        int fireOnFrame; // 0: never
        int leavesOnFrame;
    } cases[] = {{0, 331}, {120, 331}, {121, 121}, {200, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fireOnFrame);
        app.scene = SCENE_TITLE;
        app.titleReady = 0;
        app.sceneTimer = 0;
        startPlaying();
        app.world->player->alive = false;
        frame();
        ASSERT_EQ(app.scene, SCENE_GAME_OVER);
        const float wreckX = app.world->player->x;
        frame(B_BUTTON);
        EXPECT_NE(app.world->player->x, wreckX) << "the wreck drifts on behind the text";
        EXPECT_TRUE(groundShows());

        int frameNumber = 1;
        while (app.scene == SCENE_GAME_OVER && frameNumber < 400) {
            ++frameNumber;
            frame(frameNumber == c.fireOnFrame ? A_BUTTON : B_BUTTON | START_BUTTON);
            if (frameNumber == 31 || frameNumber == 32) {
                EXPECT_EQ(showsRegion(canvas, {92, 112}, LARGE_G), frameNumber == 32);
            }
        }
        EXPECT_EQ(frameNumber, c.leavesOnFrame);
        EXPECT_EQ(app.scene, SCENE_TITLE);
        EXPECT_EQ(app.titleReady, 0);
        EXPECT_EQ(app.world->player, nullptr);
        EXPECT_TRUE(app.world->enemies.empty());
    }
}

TEST_F(Scenes, TheTitleStartsEachGameFromScratch)
{
    startPlaying();
    app.world->score = 340;
    app.world->enemyCount = 25;
    app.world->player->alive = false;
    frames(1 + 331); // the game over screen leaves by itself
    ASSERT_EQ(app.scene, SCENE_TITLE);
    startGame();
    EXPECT_EQ(app.world->score, 0);
    EXPECT_EQ(app.world->enemies.size(), 10u);
}

TEST_F(Scenes, UnknownSceneIsReportedEveryFrame)
{
    LogCapture log;
    app.scene = 7;
    frames(2);
    ASSERT_EQ(log.lines().size(), 2u);
    for (const auto& line : log.lines()) {
        EXPECT_EQ(line.priority, SDL_LOG_PRIORITY_CRITICAL);
        EXPECT_EQ(line.message, "unknown scene detected: 7");
    }
}
