#include "app/app.h"

#include <SDL.h>

int main(int /*argc*/, char* /*argv*/[])
{
    if (!startUp()) {
        return 1;
    }
    while (runFrame()) {
        waitForNextFrame();
    }
    shutDown();
    return 0;
}
