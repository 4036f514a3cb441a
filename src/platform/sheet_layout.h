// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>

// Where every picture lies on "assets/sprites.png". The game draws from these regions,
// the asset generator paints into them and the tests look for them: move a sprite here.

// A region of the sprite sheet, in sheet pixels.
struct SheetRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

constexpr int SHEET_SIZE = 256; // pixels, square

// Ground tiles: 16x16 cells, a tile byte b naming the cell in column b % 16, row b / 16.
constexpr int TILE_CELL_SIZE = 16;
constexpr int TILE_SHEET_COLUMNS = SHEET_SIZE / TILE_CELL_SIZE;

constexpr SheetRect tileCell(std::uint8_t tile)
{
    return {(tile % TILE_SHEET_COLUMNS) * TILE_CELL_SIZE, (tile / TILE_SHEET_COLUMNS) * TILE_CELL_SIZE,
            TILE_CELL_SIZE, TILE_CELL_SIZE};
}

// Planes: a row of nine 16x16 frames, from straight up through left to straight down;
// headings to the right mirror them.
constexpr int PLANE_SIZE = 16;
constexpr int PLANE_FRAMES = 9;
constexpr int PLAYER_PLANES_Y = 0;
constexpr int ENEMY_PLANES_Y = 16;

constexpr SheetRect planeFrame(int planesY, int frame)
{
    return {frame * PLANE_SIZE, planesY, PLANE_SIZE, PLANE_SIZE};
}

constexpr SheetRect BULLET_SPRITE{128, 40, 8, 8};

// Heads-up display
constexpr SheetRect SCORE_LABEL{216, 0, 40, 8};
constexpr SheetRect BEST_LABEL{200, 0, 56, 8}; // its right-hand 40 pixels are the score label
constexpr SheetRect HUD_ZERO{248, 8, 8, 8};    // the display's own 0, right after the small 9
constexpr SheetRect LIFE_BAR_LEFT_END{232, 16, 8, 8};
constexpr SheetRect LIFE_BAR_MIDDLE{240, 16, 8, 8};
constexpr SheetRect LIFE_BAR_RIGHT_END{248, 16, 8, 8};
constexpr SheetRect RADAR_FRAME{208, 32, 48, 48};

// Title screen
constexpr SheetRect EMBLEM{216, 24, 40, 8};
constexpr SheetRect TITLE_LOGO{0, 176, 240, 72};

// Glyphs: every character is 8 pixels wide, small ones 8 high and large ones 16. The
// letters sit in rows of eight; '!', '*' and the space share the row of 'Y' and 'Z'.
constexpr int GLYPH_WIDTH = 8; // also the pen's advance per character

struct GlyphSet {
    int height = 0;   // pixels
    int lettersY = 0; // row of 'A' to 'H'
    int digitsX = 0;  // cell of '0'; '1' to '9' follow to the right
    int digitsY = 0;
};
constexpr GlyphSet SMALL_GLYPH_CELLS{8, 80, 168, 8};
constexpr GlyphSet LARGE_GLYPH_CELLS{16, 112, 112, 128};

constexpr int LETTERS_X = 192;
constexpr int LETTERS_PER_ROW = 8;
constexpr int LAST_LETTER_ROW = 3; // 'Y', 'Z' and the three extra characters
constexpr int EXCLAMATION_X = 208;
constexpr int ASTERISK_X = 224;
constexpr int SPACE_X = 232;

// Only 'A'-'Z', '0'-'9', '!', '*' and ' ' have cells; every other byte draws 'A'.
constexpr SheetRect glyphCell(char c, bool large)
{
    const GlyphSet& set = large ? LARGE_GLYPH_CELLS : SMALL_GLYPH_CELLS;
    const int extrasY = set.lettersY + LAST_LETTER_ROW * set.height;
    if (c >= 'A' && c <= 'Z') {
        const int k = c - 'A';
        return {LETTERS_X + GLYPH_WIDTH * (k % LETTERS_PER_ROW),
                set.lettersY + set.height * (k / LETTERS_PER_ROW), GLYPH_WIDTH, set.height};
    }
    if (c >= '0' && c <= '9') {
        return {set.digitsX + GLYPH_WIDTH * (c - '0'), set.digitsY, GLYPH_WIDTH, set.height};
    }
    switch (c) {
    case '!':
        return {EXCLAMATION_X, extrasY, GLYPH_WIDTH, set.height};
    case '*':
        return {ASTERISK_X, extrasY, GLYPH_WIDTH, set.height};
    case ' ':
        return {SPACE_X, extrasY, GLYPH_WIDTH, set.height};
    default:
        return {LETTERS_X, set.lettersY, GLYPH_WIDTH, set.height};
    }
}

// The heads-up display's digits: the small glyphs 1 to 9, and its own zero.
constexpr SheetRect hudDigit(int digit)
{
    return digit == 0 ? HUD_ZERO : glyphCell(static_cast<char>('0' + digit), false);
}
