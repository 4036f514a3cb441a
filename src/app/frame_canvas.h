// SPDX-License-Identifier: Zlib
#pragma once

// Each frame is drawn at 320x240 into a texture that one copy then scales to the window.
// Nearest-neighbour scaling gives the picture SDL gives when it scales every copy, for a
// quarter of the pixels drawn, which a software renderer feels on every frame. Where the
// renderer cannot draw into a texture, frames go straight to the window.
void createFrameCanvas();
void destroyFrameCanvas();
// Starts a frame on the canvas (or the window), cleared to black.
void beginFrameCanvas();
// Puts what was drawn since on the window, ready to present.
void finishFrameCanvas();
