// SPDX-License-Identifier: Zlib
#pragma once

#include <chrono>
#include <functional>
#include <string>

// Small wrappers over the X command-line tools (xdotool, xwininfo, xprop) and Xlib,
// for tests that look at a real window on the display in DISPLAY.

// What the shell command printed on standard output.
std::string commandOutput(const std::string& command);
// How long a test waits for something it can observe. A busy machine makes the game and
// the X tools slow, so this is generous: a test that passes waits only as long as it must.
constexpr std::chrono::seconds PATIENCE{60};

// Calls `condition` every few milliseconds until it holds or `timeout` has passed.
bool pollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = PATIENCE);

// The id of the visible window with exactly this title, 0 if none shows up in time.
unsigned long findWindow(const std::string& title, std::chrono::milliseconds timeout = PATIENCE);

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize& other) const { return width == other.width && height == other.height; }
};
WindowSize windowSize(unsigned long window);
bool hasWindowState(unsigned long window, const std::string& state);

// Gives the window the keyboard focus, then types through XTEST as a keyboard would.
bool focusWindow(unsigned long window);
bool typeKeys(const std::string& xdotoolArgs);

// A string property on the root window, set and read by short-lived clients.
bool setRootProperty(const std::string& name, const std::string& value);
std::string rootProperty(const std::string& name);

// The request a window manager's close button sends: WM_PROTOCOLS / WM_DELETE_WINDOW.
bool requestClose(unsigned long window);
