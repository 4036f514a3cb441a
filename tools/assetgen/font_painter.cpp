// SPDX-License-Identifier: Zlib
#include "font_painter.h"

#include "glyph_font.h"
#include "platform/sheet_layout.h"

#include <string_view>

namespace {

constexpr Rgba SHADOW = rgb(8, 8, 28, 230);

// Vertical colour ramps, top row first.
constexpr Rgba SMALL_RAMP[SMALL_HEIGHT] = {rgb(255, 255, 255), rgb(255, 255, 255), rgb(250, 250, 255),
                                           rgb(236, 240, 255), rgb(214, 224, 250), rgb(194, 208, 244),
                                           rgb(176, 192, 236)};
constexpr Rgba GOLD_RAMP[SMALL_HEIGHT] = {rgb(255, 244, 150), rgb(255, 232, 110), rgb(255, 214, 70),
                                          rgb(255, 196, 40),  rgb(250, 172, 30),  rgb(240, 146, 24),
                                          rgb(226, 120, 20)};
constexpr Rgba RED_RAMP[SMALL_HEIGHT] = {rgb(255, 170, 150), rgb(255, 130, 110), rgb(255, 96, 80),
                                         rgb(250, 70, 60),   rgb(236, 50, 46),   rgb(216, 36, 40),
                                         rgb(190, 24, 36)};
// The large set runs from pale yellow through gold to orange, like a lit arcade marquee.
constexpr Rgba LARGE_TOP = rgb(255, 252, 200);
constexpr Rgba LARGE_MIDDLE = rgb(255, 206, 60);
constexpr Rgba LARGE_BOTTOM = rgb(238, 96, 24);

Rgba largeRamp(size_t row)
{
    const double t = static_cast<double>(row) / (LARGE_HEIGHT - 1);
    return t < 0.5 ? mix(LARGE_TOP, LARGE_MIDDLE, t * 2.0) : mix(LARGE_MIDDLE, LARGE_BOTTOM, t * 2.0 - 1.0);
}

template <size_t HEIGHT, typename Ramp>
void paintGlyph(Image& sheet, int x, int y, const GlyphArt<HEIGHT>& glyph, Ramp rampAt)
{
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t row = 0; row < HEIGHT; ++row) {
            for (size_t col = 0; col < glyph.rows[row].size(); ++col) {
                if (glyph.rows[row][col] != '#') {
                    continue;
                }
                const int px = x + static_cast<int>(col);
                const int py = y + static_cast<int>(row);
                if (pass == 0) {
                    sheet.set(px + 1, py + 1, SHADOW);
                } else {
                    sheet.set(px, py, rampAt(row));
                }
            }
        }
    }
}

const SmallGlyph& smallGlyph(char ch)
{
    for (const SmallGlyph& glyph : SMALL_GLYPHS) {
        if (glyph.ch == ch) {
            return glyph;
        }
    }
    return SMALL_GLYPHS[0];
}

void paintLabel(Image& sheet, int x, int y, std::string_view text, const Rgba (&ramp)[SMALL_HEIGHT])
{
    for (char ch : text) {
        paintGlyph(sheet, x, y, smallGlyph(ch), [&ramp](size_t row) { return ramp[row]; });
        x += 8;
    }
}

} // namespace

void paintGlyphs(Image& sheet)
{
    const auto small = [](size_t row) {
        return SMALL_RAMP[row];
    };
    for (const SmallGlyph& glyph : SMALL_GLYPHS) {
        const SheetRect cell = glyphCell(glyph.ch, false);
        paintGlyph(sheet, cell.x, cell.y, glyph, small);
    }
    for (const LargeGlyph& glyph : LARGE_GLYPHS) {
        const SheetRect cell = glyphCell(glyph.ch, true);
        paintGlyph(sheet, cell.x, cell.y, glyph, largeRamp);
    }
    paintGlyph(sheet, HUD_ZERO.x, HUD_ZERO.y, HUD_ZERO_ART, small);
    // The best-score label ends with the score label itself: "HI" then "SCORE".
    paintLabel(sheet, BEST_LABEL.x, BEST_LABEL.y, "HI", RED_RAMP);
    paintLabel(sheet, SCORE_LABEL.x, SCORE_LABEL.y, "SCORE", GOLD_RAMP);
}
