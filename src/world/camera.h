// SPDX-License-Identifier: Zlib
#pragma once

// The world coordinate shown at the screen's top-left corner, each in [0, 640).
struct Camera {
    int x = 0;
    int y = 0;
};
