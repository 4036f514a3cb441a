// SPDX-License-Identifier: Zlib
#include "soak/pad_bay.h"

#include "platform/input_state.h"

#include <algorithm>
#include <cstdio>

namespace {

// More identities than bays, so that a pad plugged in is not always the one just pulled
// out. Each has its own product id, so that SDL makes each its own mapping and keeps its
// name; a fixed set keeps SDL's list of mappings from growing over a long run.
constexpr int IDENTITIES = 6;
constexpr Uint16 FIRST_PRODUCT_ID = 0x0101;
constexpr std::uint32_t BUTTONS_READ = (std::uint32_t{1} << 15) - 1; // A to DPAD_RIGHT
constexpr float AXIS_SCALE = 1.0f / 32768.0f;
constexpr int JIGGLE_ONE_IN = 8; // frames

std::string padName(int identity)
{
    return "Soak Pad " + std::to_string(identity + 1);
}

std::string hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

void expectEqual(const char* what, float actual, float expected, std::vector<std::string>& faults)
{
    if (actual != expected) {
        faults.emplace_back(std::string(what) + " is " + std::to_string(actual) + ", expected " +
                            std::to_string(expected));
    }
}

void expectEqual(const char* what, std::uint32_t actual, std::uint32_t expected,
                 std::vector<std::string>& faults)
{
    if (actual != expected) {
        faults.emplace_back(std::string(what) + " is " + hex(actual) + ", expected " + hex(expected));
    }
}

} // namespace

SoakPad::SoakPad(int identity, const std::string& name, Uint16 productId)
    : identity(identity), pad(name, productId)
{
}

void SoakPad::show(const PadState& next)
{
    for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; ++i) {
        const auto button = static_cast<SDL_GameControllerButton>(i);
        if (next.isDown(button) != state.isDown(button)) {
            SDL_JoystickSetVirtualButton(pad.joystick, i, next.isDown(button) ? SDL_PRESSED : SDL_RELEASED);
        }
    }
    for (std::size_t i = 0; i < next.axes.size(); ++i) {
        if (next.axes[i] != state.axes[i]) {
            SDL_JoystickSetVirtualAxis(pad.joystick, static_cast<int>(i), next.axes[i]);
        }
    }
    state = next;
}

void PadBay::plug()
{
    const int identity = freeIdentity();
    auto pad = std::make_unique<SoakPad>(identity, padName(identity),
                                         static_cast<Uint16>(FIRST_PRODUCT_ID + identity));
    if (!pad->pad.attached()) {
        SDL_LogError(SDL_LOG_CATEGORY_TEST, "cannot attach a virtual pad: %s", SDL_GetError());
        return;
    }
    pad->show(randomPadState(random));
    attached.push_back(std::move(pad));
    queue.push_back({true, identity});
    ++plugs;
}

void PadBay::unplugAt(std::size_t attachedIndex)
{
    const int identity = attached.at(attachedIndex)->identity;
    attached.at(attachedIndex)->pad.unplug();
    attached.erase(attached.begin() + static_cast<std::ptrdiff_t>(attachedIndex));
    ++unplugs;
    // SDL drops the pending added event of a device that is gone, and puts the other
    // pending added events back behind the removal.
    std::vector<QueuedEvent> pendingAdds;
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [&](const QueuedEvent& event) {
                                   if (event.added && event.identity != identity) {
                                       pendingAdds.push_back(event);
                                   }
                                   return event.added;
                               }),
                queue.end());
    queue.push_back({false, identity});
    queue.insert(queue.end(), pendingAdds.begin(), pendingAdds.end());
}

void PadBay::plugOrUnplugAtRandom()
{
    const bool unplug = attached.size() == MAX_PADS || (!attached.empty() && (random() & 1u) != 0);
    if (unplug) {
        std::uniform_int_distribution<std::size_t> pick(0, attached.size() - 1);
        unplugAt(pick(random));
    } else {
        plug();
    }
}

void PadBay::unplugAll()
{
    while (!attached.empty()) {
        unplugAt(attached.size() - 1);
    }
}

std::vector<std::string> PadBay::expectFrame()
{
    std::vector<std::string> lines;
    for (const QueuedEvent& event : queue) {
        if (event.added) {
            if (openIdentity < 0) {
                noteOpened(event.identity, lines);
            }
        } else if (event.identity == openIdentity) {
            lines.emplace_back("removed the controller: " + padName(openIdentity));
            openIdentity = -1;
            // The shell looks for the first game controller still attached.
            if (!attached.empty()) {
                noteOpened(attached.front()->identity, lines);
            }
        }
    }
    queue.clear();
    return lines;
}

void PadBay::noteOpened(int identity, std::vector<std::string>& lines)
{
    openIdentity = identity;
    lines.emplace_back("opened the controller: " + padName(identity));
    ++opens;
}

SoakPad* PadBay::openPad()
{
    return attachedPad(openIdentity);
}

void PadBay::jiggleOthers()
{
    std::uniform_int_distribution<int> oneIn(1, JIGGLE_ONE_IN);
    for (const auto& pad : attached) {
        if (pad->identity != openIdentity && oneIn(random) == 1) {
            pad->show(nudged(pad->state, random));
        }
    }
}

void PadBay::checkInput(const InputState& input, std::vector<std::string>& faults)
{
    const SoakPad* open = openPad();
    if (open == nullptr && input.controller != nullptr) {
        faults.emplace_back("a controller is open although the shell should hold none");
    } else if (open != nullptr && input.controller == nullptr) {
        faults.emplace_back("no controller is open although " + open->pad.name + " should be");
    } else if (open != nullptr) {
        if (SDL_GameControllerGetAttached(input.controller) != SDL_TRUE) {
            faults.emplace_back("the open controller is no longer attached");
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(input.controller));
        if (id != open->pad.instanceId) {
            faults.emplace_back("the open controller is joystick " + std::to_string(id) + ", expected " +
                                open->pad.name + " (joystick " + std::to_string(open->pad.instanceId) + ")");
        }
    }
    // Nothing of a pad that is gone may linger: no held button, no stick deflection.
    const std::uint32_t held = open != nullptr ? open->state.buttons & BUTTONS_READ : 0;
    const float axisX =
        open != nullptr ? static_cast<float>(open->state.axes[SDL_CONTROLLER_AXIS_LEFTX]) * AXIS_SCALE : 0.0f;
    const float axisY =
        open != nullptr ? static_cast<float>(open->state.axes[SDL_CONTROLLER_AXIS_LEFTY]) * AXIS_SCALE : 0.0f;
    expectEqual("held", input.held, held, faults);
    expectEqual("pressed", input.pressed, input.held & ~lastHeld, faults);
    expectEqual("released", input.released, lastHeld & ~input.held, faults);
    expectEqual("axisX", input.axisX, axisX, faults);
    expectEqual("axisY", input.axisY, axisY, faults);
    lastHeld = input.held;
}

SoakPad* PadBay::attachedPad(int identity)
{
    for (const auto& pad : attached) {
        if (pad->identity == identity) {
            return pad.get();
        }
    }
    return nullptr;
}

int PadBay::freeIdentity()
{
    std::uniform_int_distribution<int> pick(0, IDENTITIES - 1);
    int identity = pick(random);
    while (attachedPad(identity) != nullptr) {
        identity = (identity + 1) % IDENTITIES;
    }
    return identity;
}
