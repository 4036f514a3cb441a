// SPDX-License-Identifier: Zlib
#include "platform/input_state.h"
#include "support/virtual_pad.h"
#include "support/x_server.h"
#include "support/x_tools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// The keyboard half of the input state needs SDL's keyboard state, which only SDL's own
// event sources change: here real X key events typed into a window of this process.

namespace {

using namespace std::chrono_literals;

constexpr ButtonMask A = buttonBit(SDL_CONTROLLER_BUTTON_A);
constexpr ButtonMask RIGHT = buttonBit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

struct Key {
    const char* xName;
    SDL_Scancode scancode;
};
const Key Z_KEY{"z", SDL_SCANCODE_Z};
const Key RIGHT_KEY{"Right", SDL_SCANCODE_RIGHT};

class KeyboardInput : public ::testing::Test {
protected:
    static constexpr const char* TITLE = "keyboard test";

    void SetUp() override
    {
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        setenv("SDL_VIDEODRIVER", "x11", 1);
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        window = SDL_CreateWindow(TITLE, 0, 0, 64, 64, SDL_WINDOW_SHOWN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        const unsigned long id = findWindow(TITLE);
        ASSERT_NE(id, 0u);
        ASSERT_TRUE(focusWindow(id));
        ASSERT_TRUE(pollUntil([this] {
            SDL_PumpEvents();
            return SDL_GetKeyboardFocus() == window;
        }));
    }
    void TearDown() override
    {
        input.setController(nullptr);
        pad.reset();
        SDL_DestroyWindow(window);
        SDL_Quit();
    }

    // Types the key and waits until SDL has taken the event in.
    void setKey(const Key& key, bool down)
    {
        ASSERT_TRUE(typeKeys(std::string(down ? "keydown " : "keyup ") + key.xName));
        ASSERT_TRUE(pollUntil(
            [&] {
                SDL_PumpEvents();
                return (SDL_GetKeyboardState(nullptr)[key.scancode] != 0) == down;
            },
            5s))
            << key.xName;
    }
    void attachPad()
    {
        pad = std::make_unique<VirtualPad>("Test Pad");
        ASSERT_TRUE(pad->attached());
        input.setController(SDL_GameControllerOpen(0));
        ASSERT_NE(input.controller, nullptr) << SDL_GetError();
    }
    void expectEdges(ButtonMask pressed, ButtonMask held, ButtonMask released)
    {
        input.update();
        EXPECT_EQ(input.pressed, pressed);
        EXPECT_EQ(input.held, held);
        EXPECT_EQ(input.released, released);
    }

    XServer x;
    SDL_Window* window = nullptr;
    std::unique_ptr<VirtualPad> pad;
    InputState input;
};

} // namespace

TEST_F(KeyboardInput, GameKeysSetTheirButtonBitsWithOneFrameEdges)
{
    struct Case {
        Key key;
        ButtonMask bit;
    };
    const Case cases[] = {
        {Z_KEY, A},
        {{"x", SDL_SCANCODE_X}, buttonBit(SDL_CONTROLLER_BUTTON_B)},
        {{"p", SDL_SCANCODE_P}, buttonBit(SDL_CONTROLLER_BUTTON_START)},
        {{"Up", SDL_SCANCODE_UP}, buttonBit(SDL_CONTROLLER_BUTTON_DPAD_UP)},
        {{"Down", SDL_SCANCODE_DOWN}, buttonBit(SDL_CONTROLLER_BUTTON_DPAD_DOWN)},
        {{"Left", SDL_SCANCODE_LEFT}, buttonBit(SDL_CONTROLLER_BUTTON_DPAD_LEFT)},
        {RIGHT_KEY, RIGHT},
        {{"a", SDL_SCANCODE_A}, 0},
        {{"Return", SDL_SCANCODE_RETURN}, 0},
        {{"space", SDL_SCANCODE_SPACE}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.xName);
        setKey(c.key, true);
        expectEdges(c.bit, c.bit, 0);
        expectEdges(0, c.bit, 0);
        expectEdges(0, c.bit, 0);
        setKey(c.key, false);
        expectEdges(0, 0, c.bit);
        expectEdges(0, 0, 0);
    }
    EXPECT_EQ(input.axisX, 0.0f);
    EXPECT_EQ(input.axisY, 0.0f);
}

TEST_F(KeyboardInput, KeyAndControllerButtonHoldOneBit)
{
    attachPad();
    pad->setButton(SDL_CONTROLLER_BUTTON_A, true);
    expectEdges(A, A, 0);
    setKey(Z_KEY, true);
    expectEdges(0, A, 0);
    pad->setButton(SDL_CONTROLLER_BUTTON_A, false);
    expectEdges(0, A, 0);
    pad->setButton(SDL_CONTROLLER_BUTTON_A, true);
    expectEdges(0, A, 0);
    setKey(Z_KEY, false);
    expectEdges(0, A, 0);
    pad->setButton(SDL_CONTROLLER_BUTTON_A, false);
    expectEdges(0, 0, A);
}

TEST_F(KeyboardInput, KeyboardGoesOnWorkingWhenTheControllerIsUnplugged)
{
    attachPad();
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad->setButton(SDL_CONTROLLER_BUTTON_A, true);
    pad->setButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    setKey(RIGHT_KEY, true);
    expectEdges(A | RIGHT, A | RIGHT, 0);

    pad->unplug();
    input.setController(nullptr);
    expectEdges(0, RIGHT, A);
    EXPECT_EQ(input.axisX, 0.0f);
    setKey(RIGHT_KEY, false);
    expectEdges(0, 0, RIGHT);
}

namespace {

// A French keyboard: the key in the place of the US Z types "w", the one in the place of
// the US W types "z".
class FrenchKeyboardInput : public KeyboardInput {
protected:
    void SetUp() override
    {
        ASSERT_EQ(std::system("setxkbmap fr"), 0);
        KeyboardInput::SetUp();
    }
};

} // namespace

TEST_F(FrenchKeyboardInput, GameKeysSitWhereTheySitOnAUsKeyboard)
{
    const Key zPlace{"w", SDL_SCANCODE_Z};
    setKey(zPlace, true);
    expectEdges(A, A, 0);
    setKey(zPlace, false);
    setKey({"z", SDL_SCANCODE_W}, true);
    expectEdges(0, 0, A);
}
