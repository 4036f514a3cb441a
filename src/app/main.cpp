// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/standard_streams.h"

#include <SDL.h>

int main(int /*argc*/, char* /*argv*/[])
{
    openClosedStandardStreams();
    if (!startUp()) {
        return 1;
    }
    while (runFrame()) {
        waitForNextFrame();
    }
    shutDown();
    return 0;
}
