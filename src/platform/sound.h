// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL_mixer.h>

#include <vector>

// Index into the sound table.
enum SoundId : unsigned {
    SOUND_PLAYER_SHOT = 0,
    SOUND_PLAYER_HIT = 1,
    SOUND_PLAYER_EXP = 2,
    SOUND_ENEMY_SHOT = 3,
    SOUND_ENEMY_HIT = 4,
    SOUND_ENEMY_EXP = 5,
};
constexpr unsigned SOUND_COUNT = 6;

// One entry per sound file once audio has started (null where a file failed);
// empty when audio could not start.
extern std::vector<Mix_Chunk*> soundChunks;
// True once an effect has started since the flags were last cleared.
extern std::vector<bool> soundPlayed;

void initSound();
// Starts an effect unless it has already started since the last resetSoundFlags().
void playSound(SoundId id);
void resetSoundFlags();
void quitSound();
