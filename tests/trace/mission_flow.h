// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/input_state.h"

#include <cstdint>

class World;

// The game's screens as far as they touch the world: the mission intro, play, the mission
// clear and the game over, with the screens' own frame counts. The title is left out: the
// world is not updated there, and the trace starts each game as a button press on it would.
class MissionFlow {
public:
    enum Stage : std::int32_t { INTRO, PLAYING, CLEAR, OVER };

    explicit MissionFlow(World& world);

    // One frame of the current screen; `pressed` is the frame's pressed mask.
    void runFrame(ButtonMask pressed);

    Stage stage = INTRO;
    std::int32_t timer = 0; // frames counted by the current screen
    long games = 0;
    long wavesCleared = 0;

private:
    void startGame();
    void runIntro();
    void runPlaying();
    void runClear();
    void runOver(ButtonMask pressed);

    World& world;
};
