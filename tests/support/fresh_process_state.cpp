// SPDX-License-Identifier: Zlib
#include "app/app_context.h"
#include "platform/platform_context.h"
#include "platform/sound.h"
#include "world/random_source.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The whole binary runs as one process, in any order: every test starts from the game's
// process-wide state as a fresh process has it, and must leave the process as it found it.
class FreshProcessState : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& /*test*/) override
    {
        restartRandom01();
        app = AppContext{};
        platform = PlatformContext{};
        soundPlayed.clear();
    }

    void OnTestEnd(const testing::TestInfo& /*test*/) override
    {
        EXPECT_EQ(std::filesystem::current_path(), startDirectory)
            << "the test left another working directory";
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "the test left SDL running";
        EXPECT_TRUE(soundChunks.empty()) << "the test left sounds loaded";
        EXPECT_EQ(platform.window, nullptr) << "the test left a window in the platform record";
    }

private:
    std::filesystem::path startDirectory = std::filesystem::current_path();
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshProcessState);
    return RUN_ALL_TESTS();
}
