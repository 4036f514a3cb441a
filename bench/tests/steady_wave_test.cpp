// SPDX-License-Identifier: Zlib
#include "steady_wave.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const WaveSize& size, std::ostream* out)
{
    *out << size.enemies << " enemies, " << size.bullets << " shots";
}

namespace {

struct Placement {
    float x = 0.0f;
    float y = 0.0f;
    float life = 0.0f;
    bool operator==(const Placement& o) const { return x == o.x && y == o.y && life == o.life; }
};

template <typename List> std::vector<Placement> placements(const List& objects)
{
    std::vector<Placement> all;
    for (const auto& object : objects) {
        all.push_back({object->x, object->y, object->life});
    }
    return all;
}

template <typename List> bool allAlive(const List& objects)
{
    for (const auto& object : objects) {
        if (!object->alive) {
            return false;
        }
    }
    return true;
}

class SteadyWaveTest : public testing::TestWithParam<WaveSize> {};

// A benchmark that lost enemies or shots on the way would time an emptying world.
TEST_P(SteadyWaveTest, NothingIsDestroyedOrRunsOutBeforeTheRestoreIsDue)
{
    const WaveSize size = GetParam();
    World world;
    SteadyWave wave(world, size);
    bool due = false;
    while (!due) {
        world.update();
        due = wave.tick();
        ASSERT_EQ(world.enemies.size(), static_cast<size_t>(size.enemies));
        ASSERT_EQ(world.playerBullets.size(), static_cast<size_t>(size.bullets));
        ASSERT_TRUE(allAlive(world.enemies) && allAlive(world.playerBullets));
        ASSERT_TRUE(world.player->alive);
    }
    EXPECT_EQ(world.score, 0);
    EXPECT_FALSE(world.cleared);
    EXPECT_FALSE(world.gameOver);
}

TEST_P(SteadyWaveTest, RestorePutsEveryObjectBackAsBuilt)
{
    World world;
    SteadyWave wave(world, GetParam());
    const std::vector<Placement> enemies = placements(world.enemies);
    const std::vector<Placement> shots = placements(world.playerBullets);
    for (const Placement& shot : shots) {
        // A shot restored with its starting life would look freshly fired to the census.
        EXPECT_LT(shot.life, 0.6f);
    }
    const float playerX = world.player->x;
    while (!wave.tick()) {
        world.update();
    }
    wave.restore();
    EXPECT_EQ(placements(world.enemies), enemies);
    EXPECT_EQ(placements(world.playerBullets), shots);
    EXPECT_EQ(world.player->x, playerX);
    EXPECT_TRUE(world.enemyBullets.empty());
}

INSTANTIATE_TEST_SUITE_P(Waves, SteadyWaveTest,
                         testing::Values(WaveSize{10, 0}, WaveSize{10, 200}, WaveSize{50, 200},
                                         WaveSize{100, 0}, WaveSize{100, 200}),
                         [](const testing::TestParamInfo<WaveSize>& info) {
                             return std::to_string(info.param.enemies) + "Enemies" +
                                    std::to_string(info.param.bullets) + "Shots";
                         });

TEST(SteadyWave, RestoreRebuildsListsThatLostObjects)
{
    World world;
    SteadyWave wave(world, {20, 30});
    world.enemies.pop_front();
    world.playerBullets.clear();
    wave.restore();
    EXPECT_EQ(world.enemies.size(), 20u);
    EXPECT_EQ(world.playerBullets.size(), 30u);
}

} // namespace
