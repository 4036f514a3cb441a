#include "platform/sound.h"
#include "support/log_capture.h"
#include "support/temp_work_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char* const FILES[SOUND_COUNT] = {
    "player_shot.wav", "player_hit.wav", "player_exp.wav", "enemy_shot.wav", "enemy_hit.wav", "enemy_exp.wav",
};

void putLittleEndian(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// An 8-bit mono PCM WAV of a square wave, long enough to be still playing when a test
// looks at the mixer's channels.
std::string squareWave(int seconds)
{
    constexpr std::uint32_t RATE = 8000;
    const std::uint32_t frames = RATE * static_cast<std::uint32_t>(seconds);
    std::string bytes = "RIFF";
    putLittleEndian(bytes, 36 + frames, 4);
    bytes += "WAVEfmt ";
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2); // PCM
    putLittleEndian(bytes, 1, 2); // mono
    putLittleEndian(bytes, RATE, 4);
    putLittleEndian(bytes, RATE, 4); // bytes per second
    putLittleEndian(bytes, 1, 2);    // block align
    putLittleEndian(bytes, 8, 2);    // bits per sample
    bytes += "data";
    putLittleEndian(bytes, frames, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        bytes += static_cast<char>((i / 20) % 2 == 0 ? 0x60 : 0xa0);
    }
    return bytes;
}

// Sets an environment variable for as long as it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* variable, const char* value) : name(variable)
    {
        const char* old = std::getenv(variable);
        hadValue = old != nullptr;
        previous = hadValue ? old : "";
        setenv(variable, value, 1);
    }
    ~ScopedEnv()
    {
        if (hadValue) {
            setenv(name, previous.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    std::string previous;
    bool hadValue = false;
};

// The six effects in a fresh assets/ folder, with the real mixer on SDL's dummy driver.
class Sound : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string wav = squareWave(5);
        for (const char* file : FILES) {
            dir.writeAsset(file, wav);
        }
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
        std::filesystem::remove(dir.root / "assets" / "enemy_hit.wav");
        if (c.present) {
            dir.writeAsset("enemy_hit.wav", c.bytes);
        }
        log.clear();
        initSound();

        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_WARN);
        const std::string prefix = "failed to load sound 'assets/enemy_hit.wav': ";
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
