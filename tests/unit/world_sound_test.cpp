// SPDX-License-Identifier: Zlib
#include "platform/sound.h"
#include "support/silent_sounds.h"
#include "support/world_fixture.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The real mixer on the dummy audio driver: each effect that starts takes a channel.
class WorldSounds : public WorldFixture {
protected:
    void SetUp() override
    {
        writeSilentSounds(dir);
        initSound();
        ASSERT_EQ(soundChunks.size(), SOUND_COUNT);
    }
    void TearDown() override { quitSound(); }

    // The effects now playing, one entry per channel, in id order.
    static std::vector<SoundId> playing()
    {
        std::vector<SoundId> ids;
        for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
            const auto found = std::find(soundChunks.begin(), soundChunks.end(), Mix_GetChunk(channel));
            if (Mix_Playing(channel) != 0 && found != soundChunks.end()) {
                ids.push_back(static_cast<SoundId>(found - soundChunks.begin()));
            }
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
};

} // namespace

TEST_F(WorldSounds, EachEventOfAFrameSoundsItsEffectOnce)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<SoundId> heard;
        int frames = 1;
    };
    const Case cases[] = {
        {"fire", [this] { input.pressed = buttonBit(SDL_CONTROLLER_BUTTON_A); }, {SOUND_PLAYER_SHOT}},
        {"pause with fire",
         [this] {
             input.pressed = buttonBit(SDL_CONTROLLER_BUTTON_START) | buttonBit(SDL_CONTROLLER_BUTTON_A);
         },
         {}},
        {"three hits",
         [this] {
             for (const float x : {100.0f, 200.0f, 300.0f}) {
                 addEnemy(x, 100.0f);
                 addPlayerShot(x, 105.0f);
             }
         },
         {SOUND_ENEMY_HIT}},
        {"a hit in each of two frames",
         [this] {
             addEnemy(100.0f, 100.0f);
             addPlayerShot(100.0f, 105.0f);
             addPlayerShot(83.0f, 100.0f)->speed = 360.0f; // arrives in the second frame
         },
         {SOUND_ENEMY_HIT, SOUND_ENEMY_EXP, SOUND_ENEMY_HIT},
         2},
        {"two enemies fire",
         [this] {
             addEnemy(100.0f, 100.0f)->burstTimer = 40;
             addEnemy(100.0f, 300.0f)->burstTimer = 30;
         },
         {SOUND_ENEMY_SHOT}},
        {"shot", [this] { addEnemyShot(300.0f, 305.0f); }, {SOUND_PLAYER_HIT}},
        {"shot down",
         [this] {
             world.player->life = 0.1f;
             addEnemyShot(300.0f, 305.0f);
         },
         {SOUND_PLAYER_HIT, SOUND_PLAYER_EXP}},
        {"rammed", [this] { addEnemy(300.0f, 305.0f); }, {SOUND_PLAYER_HIT, SOUND_ENEMY_HIT}},
        {"rammed down",
         [this] {
             world.player->life = 0.2f;
             addEnemy(300.0f, 305.0f);
         },
         {SOUND_PLAYER_HIT, SOUND_PLAYER_EXP, SOUND_ENEMY_HIT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Mix_HaltChannel(-1);
        world.clearObjects();
        world.player = std::make_shared<Player>();
        world.paused = false;
        world.gameOver = false;
        input.pressed = 0;
        placePlayer(300.0f, 300.0f);
        addEnemy(600.0f, 600.0f); // keeps the wave from clearing
        c.arrange();
        for (int i = 0; i < c.frames; ++i) {
            world.update();
        }
        std::vector<SoundId> heard = c.heard;
        std::sort(heard.begin(), heard.end());
        EXPECT_EQ(playing(), heard);
    }
}
