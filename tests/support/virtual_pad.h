// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <string>

// A virtual game controller on SDL's own virtual joystick driver. SDL must have its
// joystick subsystem running. Unplugs itself on destruction unless already unplugged.
class VirtualPad {
public:
    explicit VirtualPad(const std::string& padName, Uint16 productId = 0x0001) : name(padName)
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        // Zero ids keep SDL 2.26 from matching a mapping to the pad's GUID.
        desc.vendor_id = 0x1209;
        desc.product_id = productId;
        desc.name = name.c_str();
        const int deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
        if (deviceIndex >= 0) {
            joystick = SDL_JoystickOpen(deviceIndex);
            instanceId = SDL_JoystickInstanceID(joystick);
        }
    }
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool attached() const { return joystick != nullptr; }

    void setButton(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
        SDL_GameControllerUpdate();
    }
    void setAxis(SDL_GameControllerAxis axis, Sint16 value)
    {
        SDL_JoystickSetVirtualAxis(joystick, axis, value);
        SDL_GameControllerUpdate();
    }

    void unplug()
    {
        if (joystick == nullptr) {
            return;
        }
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == instanceId) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }

    std::string name;
    SDL_Joystick* joystick = nullptr; // our own handle, for setting its state
    SDL_JoystickID instanceId = -1;
};
