// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sound_files.h"
#include "support/temp_work_dir.h"

#include <cstdint>
#include <string>

// A mono 16-bit WAV of `frames` silent samples at 44100 Hz: long enough to keep a mixer
// channel busy while a test counts the playing channels.
inline std::string silentWav(std::uint32_t frames = 44100)
{
    auto le = [](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFFu);
        }
        return out;
    };
    const std::uint32_t dataSize = frames * 2;
    return "RIFF" + le(36 + dataSize, 4) + "WAVE" + "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(44100, 4) +
           le(88200, 4) + le(2, 2) + le(16, 2) + "data" + le(dataSize, 4) + std::string(dataSize, '\0');
}

// The six sound files of the game, all silent, in the scratch assets folder.
inline void writeSilentSounds(const TempWorkDir& dir, std::uint32_t frames = 44100)
{
    const std::string wav = silentWav(frames);
    for (const char* name : SOUND_FILES) {
        dir.writeAsset(name, wav);
    }
}
