// SPDX-License-Identifier: Zlib
#pragma once

#include "soak/pad_state.h"
#include "support/virtual_pad.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

class InputState;

// One virtual controller plugged in by the soak, and the state last given to it.
struct SoakPad {
    SoakPad(int identity, const std::string& name, Uint16 productId);
    // Sets the buttons and axes that differ; the next frame's event pump delivers them.
    void show(const PadState& next);

    int identity = 0;
    VirtualPad pad;
    PadState state;
};

// Up to three virtual controllers plugged in and out between frames, with a model of what
// the shell must make of the queued device events: which controller it holds afterwards,
// the exact log lines, and the input record that follows from it.
class PadBay {
public:
    static constexpr int MAX_PADS = 3;

    explicit PadBay(std::mt19937& random) : random(random) {}

    void plug();
    void unplugAt(std::size_t attachedIndex);
    // Plugs into an empty bay, unplugs from a full one, and otherwise either, at random.
    void plugOrUnplugAtRandom();
    void unplugAll();

    // Consumes the device events queued since the last frame: the log lines the frame must
    // write for them, in order. Afterwards openPad() is the controller the frame leaves open.
    std::vector<std::string> expectFrame();
    SoakPad* openPad();
    // Random buttons and sticks on every attached pad but the open one.
    void jiggleOthers();

    // After the frame: the shell holds the expected, attached controller, and the input
    // record shows exactly its buttons and stick, or nothing at all without one.
    void checkInput(const InputState& input, std::vector<std::string>& faults);

    int plugs = 0;
    int unplugs = 0;
    int opens = 0; // times the shell opened a controller

private:
    struct QueuedEvent {
        bool added = false;
        int identity = 0;
    };

    SoakPad* attachedPad(int identity);
    int freeIdentity();
    void noteOpened(int identity, std::vector<std::string>& lines);

    std::mt19937& random;
    std::vector<std::unique_ptr<SoakPad>> attached; // in device-index order
    std::vector<QueuedEvent> queue;                 // as SDL holds them, oldest first
    int openIdentity = -1;
    std::uint32_t lastHeld = 0;
};
