// SPDX-License-Identifier: Zlib
#pragma once

// The application shell, split so that tests can drive the same steps as main.
// startUp() returns false when the program must exit with status 1 (already logged
// and cleaned up); runFrame() returns false once the user has asked to quit.
bool startUp();
bool runFrame();
void shutDown();
// Waits, when the display's presents come faster than 60 a second or without vertical
// sync, until the next frame may begin.
void waitForNextFrame();
bool framesPacedByTimer();
// Chooses the pacing anew from the renderer's vertical sync (start-up does it once).
void choosePacing();
