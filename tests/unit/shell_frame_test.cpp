#include "app/app.h"

#include "support/log_capture.h"

#include <SDL.h>
#include <gtest/gtest.h>

// Asking for the OpenGL driver by name turns SDL's batching off unless the game asks
// for it back; unbatched, every sprite is a driver call and a frame costs several times
// as much.
TEST(StartUp, AsksSdlToBatchTheDrawCalls)
{
    LogCapture quiet;
    ASSERT_TRUE(startUp());
    EXPECT_TRUE(SDL_GetHintBoolean(SDL_HINT_RENDER_BATCHING, SDL_FALSE));
    shutDown();
}
