// SPDX-License-Identifier: Zlib
#pragma once

#include "support/child_process.h"

#include <memory>
#include <string>

// A private Xvfb for one test, on a display number the server picks itself, with
// DISPLAY set for this process and its children. Optionally with a window manager,
// which full-screen requests need.
class XServer {
public:
    static constexpr int SCREEN_WIDTH = 1024;
    static constexpr int SCREEN_HEIGHT = 768;
    static constexpr const char* WINDOW_MANAGER = "evilwm";

    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool running() const { return !display.empty(); }
    bool serverAlive();
    static bool windowManagerInstalled();
    // Starts the window manager and waits until it has announced itself.
    bool startWindowManager();

    std::string display; // ":N"

private:
    pid_t server = -1;
    bool serverEnded = false;
    std::unique_ptr<ChildProcess> windowManager;
};
