// SPDX-License-Identifier: Zlib
#include "platform/input_state.h"
#include "support/virtual_pad.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace {

constexpr ButtonMask A = buttonBit(SDL_CONTROLLER_BUTTON_A);
constexpr ButtonMask B = buttonBit(SDL_CONTROLLER_BUTTON_B);
constexpr ButtonMask START = buttonBit(SDL_CONTROLLER_BUTTON_START);

SDL_GameController* openController(const VirtualPad& pad)
{
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == pad.instanceId) {
            return SDL_GameControllerOpen(i);
        }
    }
    return nullptr;
}

// The controller half of the input state; the keyboard half needs a real keyboard and
// is covered by the tests that run under an X server.
class InputStateWithPad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        pad = std::make_unique<VirtualPad>("Test Pad");
        ASSERT_TRUE(pad->attached()) << SDL_GetError();
        SDL_GameController* controller = openController(*pad);
        ASSERT_NE(controller, nullptr) << SDL_GetError();
        input.setController(controller);
    }
    void TearDown() override
    {
        input.setController(nullptr);
        pad.reset();
        SDL_Quit();
    }

    void hold(std::initializer_list<SDL_GameControllerButton> buttons)
    {
        for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; ++i) {
            pad->setButton(static_cast<SDL_GameControllerButton>(i), false);
        }
        for (SDL_GameControllerButton button : buttons) {
            pad->setButton(button, true);
        }
    }

    std::unique_ptr<VirtualPad> pad;
    InputState input;
};

} // namespace

TEST_F(InputStateWithPad, EdgesLastOneFrameWhileHeldLastsAsLongAsTheButton)
{
    struct Frame {
        std::initializer_list<SDL_GameControllerButton> down;
        ButtonMask pressed;
        ButtonMask held;
        ButtonMask released;
    };
    const Frame frames[] = {
        {{SDL_CONTROLLER_BUTTON_A}, A, A, 0},
        {{SDL_CONTROLLER_BUTTON_A}, 0, A, 0},
        {{SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B}, B, A | B, 0},
        {{SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START}, START, B | START, A},
        {{}, 0, 0, B | START},
        {{}, 0, 0, 0},
    };
    int frameNumber = 0;
    for (const Frame& frame : frames) {
        SCOPED_TRACE(frameNumber++);
        hold(frame.down);
        input.update();
        EXPECT_EQ(input.pressed, frame.pressed);
        EXPECT_EQ(input.held, frame.held);
        EXPECT_EQ(input.released, frame.released);
        EXPECT_EQ(input.pressed & input.released, 0u);
    }
}

TEST_F(InputStateWithPad, EachOfTheFifteenButtonsSetsItsOwnBitAndNoOthersAreRead)
{
    for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; ++i) {
        const auto button = static_cast<SDL_GameControllerButton>(i);
        SCOPED_TRACE(SDL_GameControllerGetStringForButton(button));
        hold({button});
        input.update();
        EXPECT_EQ(input.held, i < 15 ? ButtonMask{1} << i : 0u);
    }
}

TEST_F(InputStateWithPad, StickIsScaledExactlyByTwoToTheMinusFifteen)
{
    struct Case {
        Sint16 x;
        Sint16 y;
        float axisX;
        float axisY;
    };
    const Case cases[] = {
        {-32768, 32767, -1.0f, 0.999969482421875f},
        {0, -32768, 0.0f, -1.0f},
        {32767, 0, 0.999969482421875f, 0.0f},
        {13107, -13108, 0.399993896484375f, -0.4000244140625f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        pad->setAxis(SDL_CONTROLLER_AXIS_LEFTX, c.x);
        pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, c.y);
        input.update();
        EXPECT_EQ(input.axisX, c.axisX);
        EXPECT_EQ(input.axisY, c.axisY);
    }
}

TEST_F(InputStateWithPad, TheRecordClosesTheControllerItHolds)
{
    // Replacing the controller closes the old handle...
    VirtualPad second("Second Pad", 0x0002);
    ASSERT_TRUE(second.attached());
    ASSERT_NE(SDL_GameControllerFromInstanceID(pad->instanceId), nullptr);
    input.setController(openController(second));
    EXPECT_EQ(SDL_GameControllerFromInstanceID(pad->instanceId), nullptr);

    // ...and so does destroying the record.
    {
        InputState other;
        other.setController(openController(*pad));
        ASSERT_NE(SDL_GameControllerFromInstanceID(pad->instanceId), nullptr);
    }
    EXPECT_EQ(SDL_GameControllerFromInstanceID(pad->instanceId), nullptr);
}
