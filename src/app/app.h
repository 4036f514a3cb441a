// SPDX-License-Identifier: Zlib
#pragma once

// The application shell, split so that tests can drive the same steps as main.
// startUp() returns false when the program must exit with status 1 (already logged
// and cleaned up); runFrame() returns false once the user has asked to quit.
bool startUp();
bool runFrame();
void shutDown();
// Waits out the rest of a 1/60 s frame when a timer paces the loop: without vertical
// sync, or when the display's presents do not come at 60 a second.
void waitForNextFrame();
bool framesPacedByTimer();
