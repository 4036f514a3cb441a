#include "platform/sprite_sheet.h"

// Placeholder until the sprite sheet lands.
bool loadSpriteSheet(SDL_Renderer* /*renderer*/) { return false; }
void unloadSpriteSheet() {}
void drawSprite(const ScreenPoint& /*dst*/, const SheetRect& /*src*/, SDL_RendererFlip /*flip*/) {}
void drawSpriteRotated(const ScreenPoint& /*dst*/, const SheetRect& /*src*/, float /*degrees*/) {}
void drawText(const ScreenPoint& /*pos*/, const char* /*text*/, bool /*large*/) {}
int drawNumber(const ScreenPoint& /*pos*/, int /*value*/, bool /*large*/) { return 0; }
