// SPDX-License-Identifier: Zlib
#include "app/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

void openClosedStandardStreams()
{
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) < 0) {
            // The lowest free number is this one, as those below it are open by now.
            // Left open for the life of the process, like any standard stream.
            open("/dev/null", O_RDWR);
        }
    }
}
