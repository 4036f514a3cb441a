// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sound_files.h"

#include <SDL_mixer.h>

#include <vector>

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
