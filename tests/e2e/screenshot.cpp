// SPDX-License-Identifier: Zlib
#include "screenshot.h"

#include <SDL.h>
#include <SDL_image.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Xlib's default handler ends the process; a window that goes away while it is read
// is an ordinary outcome here.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0;
}

std::uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    return static_cast<std::uint32_t>((pixel & mask) >> shift);
}

} // namespace

Screenshot Screenshot::ofWindow(unsigned long window)
{
    Screenshot shot;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return shot;
    }
    XSetErrorHandler(ignoreXError);
    XWindowAttributes attributes{};
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes) != 0) {
        image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    if (image != nullptr) {
        shot.width = image->width;
        shot.height = image->height;
        shot.pixels.reserve(static_cast<size_t>(shot.width) * shot.height);
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                shot.pixels.push_back(channel(pixel, image->red_mask) << 16 |
                                      channel(pixel, image->green_mask) << 8 |
                                      channel(pixel, image->blue_mask));
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return shot;
}

bool Screenshot::operator==(const Screenshot& other) const
{
    return width == other.width && height == other.height && pixels == other.pixels;
}

bool Screenshot::savePng(const std::string& path) const
{
    std::vector<std::uint32_t> argb = pixels;
    for (std::uint32_t& pixel : argb) {
        pixel |= 0xFF000000u;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), width, height, 32, width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
