// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>

// The five screens, stored in AppContext::scene.
enum Scene : std::int32_t {
    SCENE_TITLE = 0,
    SCENE_MISSION_INTRO = 1,
    SCENE_PLAYING = 2,
    SCENE_MISSION_CLEAR = 3,
    SCENE_GAME_OVER = 4,
};

void createWorld();
void destroyWorld();
// One frame of the current screen; after the clear, before the present.
void runScene();

void runTitle();
void runMissionIntro();
void runPlaying();
void runMissionClear();
void runGameOver();
