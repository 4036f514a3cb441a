// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/app_context.h"
#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "support/log_capture.h"
#include "support/temp_work_dir.h"
#include "support/virtual_pad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

SDL_JoystickID openControllerId()
{
    if (platform.input == nullptr || platform.input->controller == nullptr) {
        return -1;
    }
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(platform.input->controller));
}

// Runs the shell's own start-up, frames and shut-down in this process, as main does.
// Pads attached before start() are there when SDL starts, like controllers plugged in
// before the game is launched.
class Shell : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.writeAsset("gamecontrollerdb.txt", "# no mappings of our own\n");
        // Under the dummy driver the window never has focus, and SDL would drop pad input.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        if (started) {
            shutDown();
        }
        SDL_Quit();
    }

    void start()
    {
        ASSERT_TRUE(startUp());
        started = true;
        log.clear();
    }
    Lines frameLog()
    {
        log.clear();
        EXPECT_TRUE(runFrame());
        return log.messages();
    }

    TempWorkDir dir;
    LogCapture log;
    bool started = false;
};

} // namespace

TEST_F(Shell, ControllerAttachedBeforeStartUpOpensInTheFirstFrame)
{
    VirtualPad pad("Pad One");
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    start();
    EXPECT_EQ(openControllerId(), -1);

    EXPECT_EQ(frameLog(), Lines{"opened the controller: Pad One"});
    EXPECT_EQ(openControllerId(), pad.instanceId);
    EXPECT_EQ(log.lines().at(0).priority, SDL_LOG_PRIORITY_INFO);
    EXPECT_EQ(frameLog(), Lines{});
}

TEST_F(Shell, SecondControllerChangesNothingAndUnpluggingItNeither)
{
    VirtualPad first("Pad One");
    start();
    frameLog();
    ASSERT_EQ(openControllerId(), first.instanceId);

    VirtualPad second("Pad Two", 0x0002);
    ASSERT_TRUE(second.attached());
    EXPECT_EQ(frameLog(), Lines{});
    EXPECT_EQ(openControllerId(), first.instanceId);

    second.unplug();
    EXPECT_EQ(frameLog(), Lines{});
    EXPECT_EQ(openControllerId(), first.instanceId);
}

TEST_F(Shell, UnpluggingTheOpenControllerOpensAnotherAttachedOne)
{
    VirtualPad first("Pad One");
    VirtualPad second("Pad Two", 0x0002);
    start();
    EXPECT_EQ(frameLog(), Lines{"opened the controller: Pad One"});

    first.unplug();
    EXPECT_EQ(frameLog(), (Lines{"removed the controller: Pad One", "opened the controller: Pad Two"}));
    EXPECT_EQ(log.lines().at(0).priority, SDL_LOG_PRIORITY_INFO);
    EXPECT_EQ(openControllerId(), second.instanceId);

    second.unplug();
    EXPECT_EQ(frameLog(), Lines{"removed the controller: Pad Two"});
    EXPECT_EQ(openControllerId(), -1);
}

TEST_F(Shell, ControllerPluggedInWhileRunningDrivesTheInputState)
{
    start();
    frameLog();
    VirtualPad pad("Pad One");
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    EXPECT_EQ(frameLog(), Lines{"opened the controller: Pad One"});
    EXPECT_EQ(platform.input->held, buttonBit(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(platform.input->axisX, 0.999969482421875f);

    // A stick deflected as it is unplugged steers no more.
    pad.unplug();
    frameLog();
    EXPECT_EQ(platform.input->released, buttonBit(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(platform.input->axisX, 0.0f);
    EXPECT_EQ(platform.input->axisY, 0.0f);
}

TEST_F(Shell, LeftAltEnterHidesThePointerInFullScreenAndShowsItInAWindow)
{
    start();
    for (const int pointer : {SDL_DISABLE, SDL_ENABLE}) {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.sym = SDLK_RETURN;
        key.key.keysym.mod = KMOD_LALT;
        SDL_PushEvent(&key);
        frameLog();
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), pointer);
    }
}

TEST_F(Shell, QuitEventEndsTheLoopAfterThatFrame)
{
    start();
    EXPECT_TRUE(runFrame());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_FALSE(runFrame());
}

// The software renderer under the dummy driver reports vertical sync but presents at
// once; here only after a slow start, which the timer never slows down further.
TEST_F(Shell, PresentsThatDoNotWaitForTheDisplayArePacedByATimer)
{
    constexpr int SLOW_FRAMES = 100;
    constexpr Uint32 SLOW_FRAME_MS = 30;
    constexpr int MOST_FAST_FRAMES = 5000;
    constexpr int PACED_FRAMES = 60;
    start();
    for (int frame = 0; frame < SLOW_FRAMES; ++frame) {
        ASSERT_TRUE(runFrame());
        SDL_Delay(SLOW_FRAME_MS);
        waitForNextFrame();
    }
    EXPECT_FALSE(framesPacedByTimer()) << "a slow machine is not slowed down further";
    for (int frame = 0; frame < MOST_FAST_FRAMES && log.messages().empty(); ++frame) {
        ASSERT_TRUE(runFrame());
        waitForNextFrame();
    }
    ASSERT_TRUE(framesPacedByTimer());
    EXPECT_EQ(log.messages(),
              std::vector<std::string>{"presents come faster than 60 a second: frames are paced by a timer"});

    // However fast the machine, 60 paced frames take most of a second: less the lead the
    // beat allows and a probe's frame.
    const Uint64 begin = SDL_GetPerformanceCounter();
    for (int frame = 0; frame < PACED_FRAMES; ++frame) {
        ASSERT_TRUE(runFrame());
        waitForNextFrame();
    }
    const double elapsed = static_cast<double>(SDL_GetPerformanceCounter() - begin) /
                           static_cast<double>(SDL_GetPerformanceFrequency());
    EXPECT_GE(elapsed, (PACED_FRAMES - 4) / 60.0);
}
