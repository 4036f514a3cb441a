// SPDX-License-Identifier: Zlib
#pragma once

// The top-left corner of something drawn on the 320x240 logical screen.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};
