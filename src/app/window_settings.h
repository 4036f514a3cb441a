// SPDX-License-Identifier: Zlib
#pragma once

// The game's window: 640x480 showing a 320x240 logical screen, two pixels a pixel.
constexpr int WINDOW_WIDTH = 640;
constexpr int WINDOW_HEIGHT = 480;
constexpr int LOGICAL_WIDTH = 320;
constexpr int LOGICAL_HEIGHT = 240;
constexpr const char* WINDOW_TITLE = "Plorvik";

// The hints start-up gives SDL for drawing: OpenGL, nearest-neighbour scaling, vertical
// sync and batched draw calls.
void setRenderHints();
