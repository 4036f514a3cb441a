// SPDX-License-Identifier: Zlib
#include "game_screens.h"
#include "support/silent_sounds.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// What the game plays, heard through SDL's disk audio driver: the mixed output goes to
// a file of raw signed 16-bit mono samples at 44100 Hz, written in real time.

namespace {

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

constexpr int SAMPLE_RATE = 44100;
constexpr size_t SAMPLES_PER_FRAME = SAMPLE_RATE / 60;
// From the key to the sound: the frame that reads the key, then one 1024-sample mix,
// about three frames; on a machine busy with other work the game's frames come later,
// and the sanitizers slow it further.
constexpr size_t FEW_FRAMES = 20 * SAMPLES_PER_FRAME;
constexpr double SAME_SHAPE = 0.95; // normalised correlation
constexpr double LOUDNESS_TOLERANCE = 0.2;
constexpr std::uint32_t SILENT_SOUND_FRAMES = 441;

// The driver writes through stdio, whose buffer is one file-system block: the file's
// size runs up to that many bytes behind what has been mixed.
size_t fileLagInSamples(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? static_cast<size_t>(status.st_blksize) / 2 : 0;
}

size_t samplesIn(const std::string& path)
{
    std::error_code none;
    const auto bytes = std::filesystem::file_size(path, none);
    return none ? 0 : static_cast<size_t>(bytes / 2);
}

Samples readSamples(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    Samples samples(samplesIn(path));
    file.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    return samples;
}

// The sound file's samples, which the mixer plays unchanged at full volume.
Samples wavSamples(const std::string& path)
{
    SDL_AudioSpec audio{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &audio, &buffer, &length) == nullptr) {
        return {};
    }
    Samples samples;
    if (audio.format == AUDIO_S16LSB && audio.channels == 1 && audio.freq == SAMPLE_RATE) {
        samples.resize(length / 2);
        SDL_memcpy(samples.data(), buffer, samples.size() * 2);
    }
    SDL_FreeWAV(buffer);
    return samples;
}

double energy(const Samples& s, size_t from, size_t count)
{
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) {
        sum += static_cast<double>(s[i]) * s[i];
    }
    return sum;
}

double correlationAt(const Samples& stream, size_t offset, const Samples& clip)
{
    double dot = 0;
    for (size_t i = 0; i < clip.size(); ++i) {
        dot += static_cast<double>(stream[offset + i]) * clip[i];
    }
    const double norms = std::sqrt(energy(stream, offset, clip.size()) * energy(clip, 0, clip.size()));
    return norms > 0 ? dot / norms : 0;
}

// The first offset from `from` at which the stream carries `clip`; SIZE_MAX if none.
size_t findClip(const Samples& stream, size_t from, const Samples& clip)
{
    for (size_t offset = from; offset + clip.size() <= stream.size(); ++offset) {
        if (correlationAt(stream, offset, clip) >= SAME_SHAPE) {
            return offset;
        }
    }
    return SIZE_MAX;
}

size_t countNonZero(const Samples& s, size_t count)
{
    size_t n = 0;
    for (size_t i = 0; i < count && i < s.size(); ++i) {
        n += s[i] != 0 ? 1 : 0;
    }
    return n;
}

} // namespace

TEST_F(GameScreens, TheTitleIsSilentAndTheFirstShotIsHeardWithinAFewFrames)
{
    const std::string shotFile = SOUND_FILES[SOUND_PLAYER_SHOT];
    const Samples shotSound = wavSamples((dir.previous / "assets" / shotFile).string());
    ASSERT_FALSE(shotSound.empty()) << shotFile << ": 16-bit mono at 44100 Hz expected";
    // The enemies open fire during the intro already: their sounds, and every other
    // but the shot's, are made silent (and short, to keep mixer channels free).
    for (const char* name : SOUND_FILES) {
        if (name != shotFile) {
            dir.writeAsset(name, silentWav(SILENT_SOUND_FRAMES));
        }
    }
    const std::string mixPath = (dir.root / "mix.raw").string();
    start({{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", mixPath}});

    // A good second of the title, slide and prompt: not one sample other than zero.
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) { return titleWaiting(s); })) << failureNote();
    ASSERT_TRUE(pollUntil([&] { return samplesIn(mixPath) >= SAMPLE_RATE; }));
    const size_t titleSamples = samplesIn(mixPath);
    EXPECT_EQ(countNonZero(readSamples(mixPath), titleSamples), 0u) << "of " << titleSamples;

    ASSERT_NO_FATAL_FAILURE(startAGame());
    ASSERT_TRUE(waitForScreen([&](const Screenshot& s) {
        return !missionIntroShown(s) && playerTurn(s).has_value();
    })) << failureNote();

    // The key goes down between these two points of the stream.
    const size_t beforeKey = samplesIn(mixPath);
    ASSERT_TRUE(typeKeys("keydown z"));
    const size_t afterKey = samplesIn(mixPath);
    ASSERT_TRUE(pollUntil([&] { return samplesIn(mixPath) >= afterKey + SAMPLE_RATE; }));
    ASSERT_TRUE(typeKeys("keyup z"));

    const Samples mix = readSamples(mixPath);
    const size_t heardAt = findClip(mix, beforeKey, shotSound);
    ASSERT_NE(heardAt, SIZE_MAX) << "the shot's sound is not in the second after the key";
    EXPECT_LE(heardAt, afterKey + fileLagInSamples(mixPath) + FEW_FRAMES)
        << "the key went down between samples " << beforeKey << " and " << afterKey << " (file lag "
        << fileLagInSamples(mixPath) << ")";
    const double loudness = energy(mix, heardAt, shotSound.size()) / energy(shotSound, 0, shotSound.size());
    EXPECT_NEAR(loudness, 1.0, LOUDNESS_TOLERANCE);

    ASSERT_TRUE(typeKeys("key Escape"));
    EXPECT_EQ(game->waitForExit(EXIT_TIMEOUT), 0);
}
