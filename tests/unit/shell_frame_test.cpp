// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/app_context.h"
#include "platform/platform_context.h"

#include "support/log_capture.h"
#include "support/temp_work_dir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// With no sprite sheet the title draws nothing, so the whole frame shows what the shell
// cleared it to, whatever colour the previous frame's drawing left set (the radar's white).
TEST(ShellFrame, StartsFromBlackWhateverColourWasLeftSet)
{
    TempWorkDir dir;
    LogCapture quiet;
    ASSERT_TRUE(startUp());
    SDL_SetRenderDrawColor(platform.renderer, 255, 255, 255, 255);
    runFrame();
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(platform.renderer, &width, &height);
    std::vector<Uint32> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    ASSERT_EQ(
        SDL_RenderReadPixels(platform.renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4),
        0);
    shutDown();
    EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), [](Uint32 p) { return (p & 0xFFFFFFu) != 0; }), 0);
}
