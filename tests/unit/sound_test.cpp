// SPDX-License-Identifier: Zlib
#include "platform/sound.h"
#include "support/log_capture.h"
#include "support/scoped_env.h"
#include "support/silent_sounds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// The six effects in a fresh assets/ folder, with the real mixer on SDL's dummy driver.
class Sound : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeSilentSounds(dir, 5 * 44100); // still playing when a test counts channels
    }
    void TearDown() override
    {
        quitSound();
        SDL_Quit();
    }

    ScopedEnv audioDriver{"SDL_AUDIODRIVER", "dummy"};
    TempWorkDir dir;
    LogCapture log;
};

} // namespace

TEST_F(Sound, LoadsTheSixEffectsQuietly)
{
    initSound();
    EXPECT_TRUE(log.lines().empty());
    ASSERT_EQ(soundChunks.size(), SOUND_COUNT);
    for (Mix_Chunk* chunk : soundChunks) {
        EXPECT_NE(chunk, nullptr);
    }
    EXPECT_EQ(soundPlayed, std::vector<bool>(SOUND_COUNT, false));
}

TEST_F(Sound, EachEffectStartsAtMostOnceBetweenClears)
{
    initSound();
    ASSERT_EQ(Mix_Playing(-1), 0);

    playSound(SOUND_ENEMY_HIT);
    playSound(SOUND_ENEMY_HIT);
    playSound(SOUND_ENEMY_HIT);
    EXPECT_EQ(Mix_Playing(-1), 1);

    playSound(SOUND_PLAYER_EXP);
    playSound(SOUND_PLAYER_EXP);
    EXPECT_EQ(Mix_Playing(-1), 2);

    // The next frame: the same effect starts again and overlaps the first.
    resetSoundFlags();
    playSound(SOUND_ENEMY_HIT);
    playSound(SOUND_ENEMY_HIT);
    EXPECT_EQ(Mix_Playing(-1), 3);
    EXPECT_EQ(soundPlayed, (std::vector<bool>{false, false, false, false, true, false}));

    playSound(static_cast<SoundId>(SOUND_COUNT));
    playSound(static_cast<SoundId>(1000));
    EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST_F(Sound, UnloadableFileLeavesOnlyItsOwnEffectSilent)
{
    struct Case {
        const char* what;
        bool present;
        std::string bytes;
    };
    const Case cases[] = {{"missing", false, ""}, {"not a WAV", true, "RIFF, but not really"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.root / "assets" / SOUND_FILES[SOUND_ENEMY_HIT]);
        if (c.present) {
            dir.writeAsset(SOUND_FILES[SOUND_ENEMY_HIT], c.bytes);
        }
        log.clear();
        initSound();

        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_WARN);
        const std::string prefix =
            std::string("failed to load sound 'assets/") + SOUND_FILES[SOUND_ENEMY_HIT] + "': ";
        EXPECT_EQ(log.lines()[0].message.substr(0, prefix.size()), prefix);
        EXPECT_GT(log.lines()[0].message.size(), prefix.size());
        ASSERT_EQ(soundChunks.size(), SOUND_COUNT);
        EXPECT_EQ(soundChunks[SOUND_ENEMY_HIT], nullptr);

        playSound(SOUND_ENEMY_HIT);
        EXPECT_EQ(Mix_Playing(-1), 0);
        EXPECT_TRUE(soundPlayed[SOUND_ENEMY_HIT]);
        for (unsigned id = 0; id < SOUND_COUNT; ++id) {
            if (id != SOUND_ENEMY_HIT) {
                playSound(static_cast<SoundId>(id));
            }
        }
        EXPECT_EQ(Mix_Playing(-1), static_cast<int>(SOUND_COUNT) - 1);
        quitSound();
    }
}

TEST_F(Sound, WithoutAudioOneWarningAndSilence)
{
    struct Case {
        const char* driver;
        std::string warning;
    };
    // No sound card here: ALSA starts but cannot open a device.
    const Case cases[] = {
        {"alsa", "failed to open audio: "},
        {"no-such-driver", "failed to init subsytem: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        const ScopedEnv driver("SDL_AUDIODRIVER", c.driver);
        log.clear();
        initSound();

        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_WARN);
        EXPECT_EQ(log.lines()[0].message.substr(0, c.warning.size()), c.warning);
        EXPECT_TRUE(soundChunks.empty());
        for (unsigned id = 0; id < SOUND_COUNT; ++id) {
            playSound(static_cast<SoundId>(id));
        }
        EXPECT_TRUE(soundPlayed.empty());

        quitSound();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    }
}

TEST_F(Sound, QuitFreesTheEffectsAndClosesAudio)
{
    initSound();
    playSound(SOUND_PLAYER_SHOT);
    quitSound();
    EXPECT_TRUE(soundChunks.empty());
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    playSound(SOUND_PLAYER_SHOT);
    EXPECT_EQ(log.lines().size(), 0u);
}
