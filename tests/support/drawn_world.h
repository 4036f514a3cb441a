// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/platform_context.h"
#include "support/log_capture.h"
#include "support/software_canvas.h"
#include "support/synthetic_sheet.h"
#include "support/temp_work_dir.h"
#include "world/world.h"

#include <memory>
#include <vector>

// A World that draws into a software canvas: the canvas's renderer is platform.renderer and
// the sprite sheet's, the sheet is the synthetic one, and the world was built in an empty
// work dir, so its map holds TILE_DEFAULT everywhere (the missing-map line is swallowed).
// The world has a fresh Player at its starting position and no other objects.
class DrawnWorld {
public:
    explicit DrawnWorld(const std::vector<SheetRect>& transparentSheetRegions = {})
        : sheet(canvas.renderer, transparentSheetRegions), world(builtWithoutMapFile())
    {
        previousRenderer = platform.renderer;
        platform.renderer = canvas.renderer;
        world.player = std::make_shared<Player>();
    }
    ~DrawnWorld() { platform.renderer = previousRenderer; }
    DrawnWorld(const DrawnWorld&) = delete;
    DrawnWorld& operator=(const DrawnWorld&) = delete;

    SoftwareCanvas canvas;
    SyntheticSheet sheet;
    World world;

private:
    static World builtWithoutMapFile()
    {
        TempWorkDir dir;
        LogCapture quiet;
        return World();
    }

    SDL_Renderer* previousRenderer = nullptr;
};

// The ground tile byte whose sheet cell shows at screen (x, y), and where in that 16x16
// cell the pixel lies; tile -1 when the pixel did not come from the sheet.
struct TileSample {
    int tile = -1;
    int offsetX = 0;
    int offsetY = 0;
    bool operator==(const TileSample& o) const
    {
        return tile == o.tile && offsetX == o.offsetX && offsetY == o.offsetY;
    }
};

inline std::ostream& operator<<(std::ostream& out, const TileSample& s)
{
    return out << "tile " << s.tile << " at (" << s.offsetX << ", " << s.offsetY << ")";
}

inline TileSample tileAt(const SoftwareCanvas& canvas, int x, int y)
{
    const SheetPixel p = sheetPixelAt(canvas, x, y);
    if (!p.valid()) {
        return {};
    }
    return {(p.y / 16) * 16 + p.x / 16, p.x % 16, p.y % 16};
}
