// SPDX-License-Identifier: Zlib
#include "platform/sound.h"

#include "platform/asset_file.h"
#include "platform/wav_check.h"

#include <SDL.h>

#include <algorithm>
#include <string>

std::vector<Mix_Chunk*> soundChunks;
std::vector<bool> soundPlayed;

namespace {

constexpr int MIX_FREQUENCY = 44100; // Hz
constexpr Uint16 MIX_FORMAT = AUDIO_S16LSB;
constexpr int MIX_CHANNELS_OUT = 1;                            // mono
constexpr int MIX_CHUNK_FRAMES = 1024;                         // sample frames mixed at a time
constexpr std::size_t MAX_SOUND_BYTES = std::size_t{1} << 20U; // the longest effect takes 124 KB
constexpr Uint32 MAX_SOUND_SECONDS = 10;                       // under 1 MB once mixed

bool startAudio()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "failed to init subsytem: %s", SDL_GetError());
        return false;
    }
    // No decoder at all is no failure: the effects are plain WAV files.
    if (Mix_Init(MIX_INIT_OGG) < 0) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "failed to init mixer: %s", SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(MIX_FREQUENCY, MIX_FORMAT, MIX_CHANNELS_OUT, MIX_CHUNK_FRAMES) < 0) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "failed to open audio: %s", SDL_GetError());
        return false;
    }
    return true;
}

Mix_Chunk* loadSound(const char* fileName)
{
    const std::string path = std::string("assets/") + fileName;
    const AssetFile file = readAssetFile(path.c_str(), MAX_SOUND_BYTES);
    Mix_Chunk* chunk = nullptr;
    if (file.status == AssetStatus::NOT_OPENED) {
        chunk = Mix_LoadWAV_RW(nullptr, 1); // no stream to give, and the mixer says so
    } else if (file.status == AssetStatus::READ &&
               acceptableWav(file.bytes, path.c_str(), MAX_SOUND_SECONDS)) {
        chunk = Mix_LoadWAV_RW(streamOver(file.bytes), 1);
    }
    if (chunk == nullptr) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "failed to load sound '%s': %s", path.c_str(),
                    SDL_GetError());
    }
    return chunk;
}

} // namespace

void initSound()
{
    if (!startAudio()) {
        return;
    }
    // A failed file keeps its null entry so that index and id always agree.
    for (const char* fileName : SOUND_FILES) {
        soundChunks.push_back(loadSound(fileName));
    }
    soundPlayed.assign(SOUND_COUNT, false);
}

void playSound(SoundId id)
{
    if (id >= soundChunks.size() || soundPlayed[id]) {
        return;
    }
    Mix_PlayChannelTimed(-1, soundChunks[id], 0, -1);
    // Also when nothing started (no chunk, no free channel): no retry within the same frame.
    soundPlayed[id] = true;
}

void resetSoundFlags()
{
    std::fill(soundPlayed.begin(), soundPlayed.end(), false);
}

void quitSound()
{
    for (Mix_Chunk* chunk : soundChunks) {
        Mix_FreeChunk(chunk);
    }
    soundChunks.clear();
    soundPlayed.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
