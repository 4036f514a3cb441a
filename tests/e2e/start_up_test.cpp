// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "support/log_capture.h"
#include "support/scoped_env.h"
#include "support/temp_work_dir.h"
#include "support/x_server.h"

#include <gtest/gtest.h>

// The game's own start-up in this process, on a private X server where SDL cannot make
// the window: it is told to use a visual that the server does not have.
TEST(StartUp, AWindowThatCannotBeMadeIsCriticalAndLeavesSdlShutDown)
{
    XServer x;
    ASSERT_TRUE(x.running()) << "Xvfb did not start";
    TempWorkDir dir;
    const ScopedEnv x11("SDL_VIDEODRIVER", "x11");
    const ScopedEnv noSuchVisual("SDL_VIDEO_X11_WINDOW_VISUALID", "0x999999");
    LogCapture log;
    EXPECT_FALSE(startUp()); // main returns 1
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().back().priority, SDL_LOG_PRIORITY_CRITICAL);
    EXPECT_EQ(log.lines().back().category, SDL_LOG_CATEGORY_APPLICATION);
    EXPECT_EQ(SDL_WasInit(0), 0u);
}
