// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

// Left Alt alone with Enter: the whole modifier state must be exactly left Alt, so
// right Alt, Num Lock or Caps Lock keep Enter from toggling.
bool isFullScreenToggle(const SDL_Keysym& key);
// Switches between the window and desktop full screen, hiding the cursor in full screen.
void toggleFullScreen(SDL_Window* window);
