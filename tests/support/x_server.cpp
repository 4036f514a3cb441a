// SPDX-License-Identifier: Zlib
#include "support/x_server.h"

#include "support/x_tools.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

XServer::XServer()
{
    int ready[2];
    if (pipe(ready) != 0) {
        return;
    }
    const std::string screen = std::to_string(SCREEN_WIDTH) + "x" + std::to_string(SCREEN_HEIGHT) + "x24";
    server = fork();
    if (server == 0) {
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        // -noreset: by default the server resets whenever its last client leaves, and a
        // client that connects during the reset (the game, while xdotool polls) is refused.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes the display number once it accepts clients; EOF means it gave up.
    std::string number;
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(ready[0]);
    if (!number.empty()) {
        display = ":" + number;
        setenv("DISPLAY", display.c_str(), 1);
    }
}

XServer::~XServer()
{
    windowManager.reset();
    if (serverAlive()) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
}

bool XServer::serverAlive()
{
    serverEnded = serverEnded || server <= 0 || waitpid(server, nullptr, WNOHANG) == server;
    return !serverEnded;
}

bool XServer::windowManagerInstalled()
{
    return std::system((std::string("command -v ") + WINDOW_MANAGER + " >/dev/null").c_str()) == 0;
}

bool XServer::startWindowManager()
{
    // Its default font is an alias that a minimal system lacks, and without a font it
    // exits at once; "fixed" comes with xfonts-base.
    windowManager = std::make_unique<ChildProcess>(std::vector<std::string>{WINDOW_MANAGER, "-fn", "fixed"},
                                                   ChildProcess::EnvChanges{}, "/dev/null");
    return pollUntil(
        [] { return !commandOutput("xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id'").empty(); });
}
