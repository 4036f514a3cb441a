// SPDX-License-Identifier: Zlib
#pragma once

// The six sound effects and their files in assets/, named here for the game, the asset
// generator and the tests alike.
enum SoundId : unsigned {
    SOUND_PLAYER_SHOT = 0,
    SOUND_PLAYER_HIT = 1,
    SOUND_PLAYER_EXP = 2,
    SOUND_ENEMY_SHOT = 3,
    SOUND_ENEMY_HIT = 4,
    SOUND_ENEMY_EXP = 5,
};
constexpr unsigned SOUND_COUNT = 6;

// In SoundId order.
constexpr const char* SOUND_FILES[SOUND_COUNT] = {
    "player_shot.wav", "player_hit.wav", "player_exp.wav", "enemy_shot.wav", "enemy_hit.wav", "enemy_exp.wav",
};
