// SPDX-License-Identifier: Zlib
#include "support/x_tools.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

std::string commandOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[256];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, count);
    }
    pclose(pipe);
    return output;
}

bool pollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

unsigned long findWindow(const std::string& title, std::chrono::milliseconds timeout)
{
    unsigned long window = 0;
    pollUntil(
        [&] {
            const std::string found =
                commandOutput("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
            window = std::strtoul(found.c_str(), nullptr, 10);
            return window != 0;
        },
        timeout);
    return window;
}

namespace {

int xwininfoField(const std::string& info, const std::string& field)
{
    const size_t at = info.find(field + ":");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + field.size() + 1);
}

} // namespace

WindowSize windowSize(unsigned long window)
{
    const std::string info = commandOutput("xwininfo -id " + std::to_string(window) + " 2>/dev/null");
    return {xwininfoField(info, "Width"), xwininfoField(info, "Height")};
}

bool hasWindowState(unsigned long window, const std::string& state)
{
    const std::string states =
        commandOutput("xprop -id " + std::to_string(window) + " _NET_WM_STATE 2>/dev/null");
    return states.find(state) != std::string::npos;
}

bool focusWindow(unsigned long window)
{
    return std::system(("timeout 5 xdotool windowfocus --sync " + std::to_string(window)).c_str()) == 0;
}

bool typeKeys(const std::string& xdotoolArgs)
{
    return std::system(("xdotool " + xdotoolArgs).c_str()) == 0;
}

bool requestClose(unsigned long window)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return sent != 0;
}

bool setRootProperty(const std::string& name, const std::string& value)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, name.c_str(), False), XA_STRING,
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(value.data()),
                    static_cast<int>(value.size()));
    XCloseDisplay(display);
    return true;
}

std::string rootProperty(const std::string& name)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return {};
    }
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, name.c_str(), False), 0, 256,
                       False, XA_STRING, &type, &format, &items, &remaining, &data);
    std::string value = data != nullptr ? std::string(reinterpret_cast<char*>(data), items) : std::string();
    XFree(data);
    XCloseDisplay(display);
    return value;
}
