#include "platform/sound.h"

// Silent until the sound effects land.
std::vector<Mix_Chunk*> soundChunks;
std::vector<bool> soundPlayed;

void initSound() {}
void playSound(SoundId /*id*/) {}
void resetSoundFlags() {}
void quitSound() {}
