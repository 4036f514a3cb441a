#include "platform/sound.h"
#include "support/silent_sounds.h"
#include "support/world_fixture.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

// The real mixer on the dummy audio driver: each effect that starts takes a channel.
class WorldSounds : public WorldFixture {
protected:
    void SetUp() override
    {
        writeSilentSounds(dir);
        initSound();
        ASSERT_EQ(soundChunks.size(), SOUND_COUNT);
        ASSERT_EQ(Mix_Playing(-1), 0);
    }
    void TearDown() override { quitSound(); }
};

} // namespace

TEST_F(WorldSounds, ThreeHitsInOneFrameStartOneSound)
{
    placePlayer(500.0f, 500.0f);
    for (const float x : {100.0f, 200.0f, 300.0f}) {
        addEnemy(x, 100.0f);
        addPlayerShot(x, 105.0f);
    }
    world.update();
    EXPECT_EQ(world.score, 30);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(WorldSounds, TwoEnemiesFiringInOneFrameAddTwoShotsAndOneSound)
{
    placePlayer(500.0f, 500.0f);
    addEnemy(100.0f, 100.0f)->burstTimer = 40;
    addEnemy(100.0f, 300.0f)->burstTimer = 30;
    world.update();
    EXPECT_EQ(world.enemyBullets.size(), 2u);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(WorldSounds, AFatalRamSoundsTheExplosionOnceThoughAskedTwice)
{
    // Enemy hit, player hit, player explosion (from the ram and again from the game over).
    placePlayer(300.0f, 300.0f);
    world.player->life = 0.2f;
    addEnemy(300.0f, 305.0f);
    addEnemy(100.0f, 100.0f);
    world.update();
    EXPECT_TRUE(world.gameOver);
    EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST_F(WorldSounds, APausedFrameStartsNothing)
{
    input.pressed = buttonBit(SDL_CONTROLLER_BUTTON_START) | buttonBit(SDL_CONTROLLER_BUTTON_A);
    world.update();
    EXPECT_TRUE(world.playerBullets.empty());
    EXPECT_EQ(Mix_Playing(-1), 0);
}
