// SPDX-License-Identifier: Zlib
#include "app/scenes.h"

#include "app/app_context.h"
#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "platform/sprite_sheet.h"
#include "world/world.h"

#include <SDL.h>

#include <memory>
#include <string>

namespace {

// Title
constexpr int TITLE_LOGO_X = 40;
constexpr int TITLE_LOGO_REST_Y = 56;
constexpr double TITLE_LOGO_RISE = 184.0; // pixels the slide covers over TITLE_SLIDE_FRAMES
constexpr int TITLE_SLIDE_FRAMES = 120;
constexpr int TITLE_SKIPPED_TIMER = 60;   // shows the prompt on the first waiting frame
constexpr int PROMPT_PERIOD = 120;        // frames
constexpr int PROMPT_HIDDEN_THROUGH = 60; // the prompt shows while the counter is above this
constexpr ScreenPoint EMBLEM_POS{140, 224};
constexpr const char* CREDITS_TEXT = "2026 PLORVIK GAME TEAM";
constexpr ScreenPoint CREDITS_POS{72, 212};
static_assert(static_cast<int>(std::char_traits<char>::length(CREDITS_TEXT)) * GLYPH_WIDTH +
                      2 * CREDITS_POS.x ==
                  320,
              "credits are centred");
constexpr const char* VERSION_TEXT = "A L P H A   V E R S I O N";
constexpr ScreenPoint VERSION_POS{60, 128};
constexpr const char* PROMPT_TEXT = "PRESS ANY BUTTON";
constexpr ScreenPoint PROMPT_POS{96, 144};

// Mission intro
constexpr const char* MISSION_TEXT = "M I S S I O N";
constexpr ScreenPoint MISSION_POS{16, 104};
constexpr const char* DEFEAT_TEXT = "DEFEAT ";
constexpr ScreenPoint DEFEAT_POS{16, 128};
constexpr ScreenPoint ENEMY_COUNT_POS{72, 128};
constexpr const char* ENEMIES_TEXT = " ENEMIES";
constexpr int INTRO_LAST_FRAME = 180;

// Mission clear and game over
constexpr const char* CLEAR_TEXT = "M I S S I O N   C L E A R !";
constexpr ScreenPoint CLEAR_POS{52, 112};
constexpr int CLEAR_LAST_FRAME = 240;
constexpr const char* GAME_OVER_TEXT = "G A M E   O V E R";
constexpr ScreenPoint GAME_OVER_POS{92, 112};
constexpr int GAME_OVER_TEXT_AFTER = 30;
constexpr int GAME_OVER_BUTTON_AFTER = 120;
constexpr int GAME_OVER_LAST_FRAME = 330;

std::unique_ptr<World> theWorld;

ButtonMask pressedButtons()
{
    return platform.input->pressed;
}

void drawTitleLogoAndScores()
{
    drawSprite({TITLE_LOGO_X, app.titleLogoY}, TITLE_LOGO, SDL_FLIP_NONE);
    app.world->drawScores();
}

void slideTitleLogo()
{
    const int t = app.sceneTimer;
    app.sceneTimer = t + 1;
    app.titleLogoY = static_cast<int>(TITLE_LOGO_REST_Y +
                                      (TITLE_SLIDE_FRAMES - 1 - t) * TITLE_LOGO_RISE / TITLE_SLIDE_FRAMES);

    if (pressedButtons() != 0) {
        app.titleReady = 1;
        app.sceneTimer = TITLE_SKIPPED_TIMER;
        app.titleLogoY = TITLE_LOGO_REST_Y;
    } else if (app.sceneTimer == TITLE_SLIDE_FRAMES) {
        app.titleReady = 1;
        app.sceneTimer = 0;
        app.titleLogoY = TITLE_LOGO_REST_Y;
    }
}

void waitForStartButton()
{
    drawSprite(EMBLEM_POS, EMBLEM, SDL_FLIP_NONE);
    drawText(CREDITS_POS, CREDITS_TEXT, false);
    drawText(VERSION_POS, VERSION_TEXT, false);

    app.sceneTimer = (app.sceneTimer + 1) % PROMPT_PERIOD;
    if (app.sceneTimer > PROMPT_HIDDEN_THROUGH) {
        drawText(PROMPT_POS, PROMPT_TEXT, false);
    }

    if (pressedButtons() != 0) {
        app.world->newGame();
        app.world->startMission();
        app.scene = SCENE_MISSION_INTRO;
        app.sceneTimer = 0;
    }
}

void drawMissionIntroText()
{
    drawText(MISSION_POS, MISSION_TEXT, true);
    drawText(DEFEAT_POS, DEFEAT_TEXT, false);
    const int digits = drawNumber(ENEMY_COUNT_POS, app.world->enemyCount, false);
    drawText({ENEMY_COUNT_POS.x + GLYPH_WIDTH * digits, ENEMY_COUNT_POS.y}, ENEMIES_TEXT, false);
}

void runWorldFrame()
{
    app.world->update();
    app.world->draw();
}

} // namespace

void createWorld()
{
    theWorld = std::make_unique<World>();
    app.world = theWorld.get();
    app.world->newGame();
    app.scene = SCENE_TITLE;
    app.sceneTimer = 0;
    app.titleReady = 0;
}

void destroyWorld()
{
    if (app.world != nullptr) {
        app.world->reset();
    }
    theWorld.reset();
    app.world = nullptr;
}

void runScene()
{
    switch (app.scene) {
    case SCENE_TITLE:
        runTitle();
        break;
    case SCENE_MISSION_INTRO:
        runMissionIntro();
        break;
    case SCENE_PLAYING:
        runPlaying();
        break;
    case SCENE_MISSION_CLEAR:
        runMissionClear();
        break;
    case SCENE_GAME_OVER:
        runGameOver();
        break;
    default:
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "unknown scene detected: %d", app.scene);
        break;
    }
}

void runTitle()
{
    if (app.titleReady == 0) {
        slideTitleLogo();
    } else {
        waitForStartButton();
    }
    drawTitleLogoAndScores();
}

void runMissionIntro()
{
    runWorldFrame();
    drawMissionIntroText();
    app.sceneTimer += 1;
    if (app.sceneTimer > INTRO_LAST_FRAME) {
        app.world->beginPlay();
        app.scene = SCENE_PLAYING;
    }
}

void runPlaying()
{
    runWorldFrame();
    if (app.world->gameOver) {
        app.scene = SCENE_GAME_OVER;
        app.sceneTimer = 0;
    } else if (app.world->cleared) {
        app.world->clearObjects();
        app.scene = SCENE_MISSION_CLEAR;
        app.sceneTimer = 0;
    }
}

void runMissionClear()
{
    runWorldFrame();
    drawText(CLEAR_POS, CLEAR_TEXT, true);
    app.sceneTimer += 1;
    if (app.sceneTimer > CLEAR_LAST_FRAME) {
        app.scene = SCENE_MISSION_INTRO;
        app.world->startMission();
        app.sceneTimer = 0;
    }
}

void runGameOver()
{
    runWorldFrame();
    if (app.sceneTimer > GAME_OVER_TEXT_AFTER) {
        drawText(GAME_OVER_POS, GAME_OVER_TEXT, true);
    }
    app.sceneTimer += 1;
    const bool firePressed = (pressedButtons() & FIRE_BUTTON) != 0;
    if (app.sceneTimer > GAME_OVER_LAST_FRAME || (app.sceneTimer > GAME_OVER_BUTTON_AFTER && firePressed)) {
        app.world->clearObjects();
        app.world->reset();
        app.scene = SCENE_TITLE;
        app.sceneTimer = 0;
        app.titleReady = 0;
    }
}
