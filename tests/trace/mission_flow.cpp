// SPDX-License-Identifier: Zlib
#include "trace/mission_flow.h"

#include "world/world.h"

namespace {

// The frame counts of the game's screens.
constexpr std::int32_t INTRO_LAST_FRAME = 180;
constexpr std::int32_t CLEAR_LAST_FRAME = 240;
constexpr std::int32_t GAME_OVER_BUTTON_AFTER = 120;
constexpr std::int32_t GAME_OVER_LAST_FRAME = 330;

} // namespace

MissionFlow::MissionFlow(World& world) : world(world)
{
    startGame();
}

void MissionFlow::runFrame(ButtonMask pressed)
{
    world.update();
    switch (stage) {
    case INTRO:
        runIntro();
        break;
    case PLAYING:
        runPlaying();
        break;
    case CLEAR:
        runClear();
        break;
    case OVER:
        runOver(pressed);
        break;
    }
}

void MissionFlow::startGame()
{
    world.newGame();
    world.startMission();
    stage = INTRO;
    timer = 0;
    ++games;
}

void MissionFlow::runIntro()
{
    timer += 1;
    if (timer > INTRO_LAST_FRAME) {
        world.beginPlay();
        stage = PLAYING;
    }
}

void MissionFlow::runPlaying()
{
    if (world.gameOver) {
        stage = OVER;
        timer = 0;
    } else if (world.cleared) {
        world.clearObjects();
        stage = CLEAR;
        timer = 0;
        ++wavesCleared;
    }
}

void MissionFlow::runClear()
{
    timer += 1;
    if (timer > CLEAR_LAST_FRAME) {
        stage = INTRO;
        world.startMission();
        timer = 0;
    }
}

void MissionFlow::runOver(ButtonMask pressed)
{
    timer += 1;
    const bool firePressed = (pressed & FIRE_BUTTON) != 0;
    if (timer > GAME_OVER_LAST_FRAME || (timer > GAME_OVER_BUTTON_AFTER && firePressed)) {
        world.clearObjects();
        world.reset();
        startGame();
    }
}
