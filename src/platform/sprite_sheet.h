// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/screen_point.h"
#include "platform/sheet_layout.h"

#include <SDL.h>

// The one sprite sheet ("assets/sprites.png"): every picture and every glyph of the game.
// Returns whether the texture was created; logs SDL's error as critical when not.
bool loadSpriteSheet(SDL_Renderer* renderer);
void unloadSpriteSheet();

void drawSprite(const ScreenPoint& dst, const SheetRect& src, SDL_RendererFlip flip);
// Turned clockwise by `degrees` about the centre of the destination rectangle.
void drawSpriteRotated(const ScreenPoint& dst, const SheetRect& src, float degrees);
// Small glyphs are 8x8, large ones 8x16; every character advances 8 pixels.
void drawText(const ScreenPoint& pos, const char* text, bool large);
// Draws the decimal digits (0 for any value of 0 or less); returns the character count.
int drawNumber(const ScreenPoint& pos, int value, bool large);
