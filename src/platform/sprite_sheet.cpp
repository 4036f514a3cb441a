// SPDX-License-Identifier: Zlib
#include "platform/sprite_sheet.h"

#include "platform/asset_file.h"
#include "platform/png_file.h"

#include <SDL_image.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* SHEET_PATH = "assets/sprites.png";
constexpr std::size_t MAX_SHEET_BYTES = std::size_t{1} << 20U; // the game's own sheet takes 21 KB
// Decoded whole at four bytes a pixel, then copied once more into the texture.
constexpr Uint64 MAX_SHEET_PIXELS = Uint64{2048} * 2048;

// The process-wide sheet: the renderer is borrowed, the texture owned.
struct SpriteSheet {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
};

SpriteSheet sheet;

// False, with SDL's error set, for a file that is not read, not a PNG, or a PNG of too many
// pixels: those are refused before anything is decoded.
bool checkSheet(const AssetFile& file)
{
    if (file.status != AssetStatus::READ) {
        return false;
    }
    const std::optional<PngSize> size = readPngSize(file.bytes);
    if (!size) {
        SDL_SetError("%s is not a PNG file", SHEET_PATH);
        return false;
    }
    if (Uint64{size->width} * size->height > MAX_SHEET_PIXELS) {
        SDL_SetError("%s is too large: %ux%u pixels, at most %llu", SHEET_PATH, size->width, size->height,
                     static_cast<unsigned long long>(MAX_SHEET_PIXELS));
        return false;
    }
    return true;
}

// Only the PNG loader sees the bytes: SDL_image would otherwise pick a decoder by what the
// file holds, and decode it whole before any size could be checked.
SDL_Texture* loadSheetTexture(SDL_Renderer* renderer)
{
    const AssetFile file = readAssetFile(SHEET_PATH, MAX_SHEET_BYTES);
    if (!checkSheet(file)) {
        return nullptr;
    }
    const std::vector<Uint8> png = pictureChunksOnly(file.bytes);
    SDL_RWops* stream = streamOver(png);
    SDL_Surface* picture = IMG_LoadPNG_RW(stream);
    SDL_RWclose(stream);
    if (picture == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, picture);
    SDL_FreeSurface(picture);
    return texture;
}

bool sheetReady()
{
    return sheet.renderer != nullptr && sheet.texture != nullptr;
}

void copyRegion(const ScreenPoint& dst, const SheetRect& src, double degrees, SDL_RendererFlip flip)
{
    const SDL_Rect source{src.x, src.y, src.w, src.h};
    const SDL_Rect destination{dst.x, dst.y, src.w, src.h};
    SDL_RenderCopyEx(sheet.renderer, sheet.texture, &source, &destination, degrees, nullptr, flip);
}

} // namespace

bool loadSpriteSheet(SDL_Renderer* renderer)
{
    unloadSpriteSheet(); // a second load must not leak the first texture
    sheet.renderer = renderer;
    sheet.texture = loadSheetTexture(renderer);
    if (sheet.texture == nullptr) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return false;
    }
    return true;
}

void unloadSpriteSheet()
{
    if (sheet.texture != nullptr) {
        SDL_DestroyTexture(sheet.texture);
    }
    sheet = SpriteSheet{};
}

void drawSprite(const ScreenPoint& dst, const SheetRect& src, SDL_RendererFlip flip)
{
    if (!sheetReady()) {
        return;
    }
    copyRegion(dst, src, 0.0, flip);
}

void drawSpriteRotated(const ScreenPoint& dst, const SheetRect& src, float degrees)
{
    if (!sheetReady()) {
        return;
    }
    copyRegion(dst, src, static_cast<double>(degrees), SDL_FLIP_NONE);
}

void drawText(const ScreenPoint& pos, const char* text, bool large)
{
    if (!sheetReady() || text == nullptr) {
        return;
    }
    ScreenPoint pen = pos;
    for (const char* c = text; *c != '\0'; ++c) {
        copyRegion(pen, glyphCell(*c, large), 0.0, SDL_FLIP_NONE);
        pen.x += GLYPH_WIDTH;
    }
}

int drawNumber(const ScreenPoint& pos, int value, bool large)
{
    const std::string text = value > 0 ? std::to_string(value) : "0";
    drawText(pos, text.c_str(), large);
    return static_cast<int>(text.size());
}
