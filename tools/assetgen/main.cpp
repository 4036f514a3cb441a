// SPDX-License-Identifier: Zlib
// Writes every file of assets/ from the art, map, sound and mapping source beside it.
// Usage: plorvik_assetgen ASSETS_DIR [--preview SHEET_PREVIEW.png] [--play PLAY_PREVIEW.png]
//                         [--map MAP_PREVIEW.png] [--title TITLE_PREVIEW.png]
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_image.h>

#include "controller_db.h"
#include "font_painter.h"
#include "ground_map.h"
#include "hud_art.h"
#include "image.h"
#include "logo.h"
#include "planes.h"
#include "platform/sheet_layout.h"
#include "previews.h"
#include "sounds.h"
#include "wav_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool report(bool ok, const std::string& path)
{
    if (!ok) {
        std::fprintf(stderr, "plorvik_assetgen: cannot write %s\n", path.c_str());
    }
    return ok;
}

bool savePng(const Image& image, const std::string& path)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (!image.savePng(path)) {
        std::fprintf(stderr, "plorvik_assetgen: %s\n", SDL_GetError());
        return report(false, path);
    }
    return true;
}

struct Options {
    std::string assets;
    std::string sheetPreview;
    std::string playPreview;
    std::string mapPreview;
    std::string titlePreview;
};

bool parse(int argc, char* argv[], Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* target = arg == "--preview" ? &options.sheetPreview
                              : arg == "--play"  ? &options.playPreview
                              : arg == "--map"   ? &options.mapPreview
                              : arg == "--title" ? &options.titlePreview
                                                 : nullptr;
        if (target != nullptr && i + 1 < argc) {
            *target = argv[++i];
        } else if (target == nullptr && options.assets.empty() && arg.rfind("--", 0) != 0) {
            options.assets = arg;
        } else {
            return false;
        }
    }
    return !options.assets.empty();
}

bool writeAssets(const Options& options)
{
    Image sheet(SHEET_SIZE, SHEET_SIZE);
    paintPlaneFrames(sheet);
    paintGlyphs(sheet);
    paintHudArt(sheet);
    paintLogo(sheet);
    const TileSet tiles(sheet);
    const std::vector<std::uint8_t> map = makeMapFile(tiles);

    std::error_code ignored;
    std::filesystem::create_directories(options.assets, ignored);
    const std::string dir = options.assets + "/";
    bool ok = savePng(sheet, dir + "sprites.png");
    ok = report(writeBytes(dir + "bg.dat", std::string(map.begin(), map.end())), dir + "bg.dat") && ok;
    for (const SoundEffect& sound : synthesiseSounds()) {
        ok = report(writeWav(dir + sound.fileName, sound.samples), dir + sound.fileName) && ok;
    }
    ok = report(writeBytes(dir + "gamecontrollerdb.txt", controllerDatabase()),
                dir + "gamecontrollerdb.txt") &&
         ok;

    if (!options.sheetPreview.empty()) {
        ok = savePng(sheetPreview(sheet), options.sheetPreview) && ok;
    }
    if (!options.playPreview.empty()) {
        ok = savePng(playPreview(sheet, map), options.playPreview) && ok;
    }
    if (!options.titlePreview.empty()) {
        ok = savePng(titlePreview(sheet), options.titlePreview) && ok;
    }
    if (!options.mapPreview.empty()) {
        const Image world =
            groundView(sheet, map, 0, 0, MAP_SIZE * TILE_CELL_SIZE, MAP_SIZE * TILE_CELL_SIZE);
        ok = savePng(world, options.mapPreview) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR [--preview PNG] [--play PNG] [--map PNG] [--title PNG]\n",
                     argv[0]);
        return 2;
    }
    IMG_Init(IMG_INIT_PNG);
    const bool ok = writeAssets(options);
    IMG_Quit();
    return ok ? 0 : 1;
}
