#include "app/app.h"
#include "app/app_context.h"
#include "platform/input_state.h"
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
    if (app.input == nullptr || app.input->controller == nullptr) {
        return -1;
    }
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(app.input->controller));
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
    EXPECT_EQ(frameLog(), Lines{"opened the controller: Pad One"});
    EXPECT_EQ(app.input->held, buttonBit(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(app.input->axisX, 0.999969482421875f);

    pad.unplug();
    frameLog();
    EXPECT_EQ(app.input->released, buttonBit(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(app.input->axisX, 0.0f);
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

// The software renderer under the dummy driver reports vertical sync but presents at once.
TEST_F(Shell, PresentsThatDoNotWaitForTheDisplayArePacedByATimer)
{
    start();
    for (int frame = 0; frame < 100; ++frame) {
        ASSERT_TRUE(runFrame());
        waitForNextFrame();
    }
    EXPECT_TRUE(framesPacedByTimer());
    EXPECT_EQ(log.messages(), Lines{"no vertical sync: frames are paced by a timer"});
}
