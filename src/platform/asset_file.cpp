// SPDX-License-Identifier: Zlib
#include "platform/asset_file.h"

#include <sys/stat.h>

namespace {

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "an unknown kind of file";
}

} // namespace

bool assetFileAcceptable(const char* path, Sint64 maxBytes)
{
    struct stat status {};
    // Links are followed: a link to a device is a device.
    if (stat(path, &status) != 0) {
        return true;
    }
    if (!S_ISREG(status.st_mode)) {
        SDL_SetError("%s is %s, not a regular file", path, kindOf(status.st_mode));
        return false;
    }
    if (status.st_size > maxBytes) {
        SDL_SetError("%s is too large: %lld bytes, at most %lld", path,
                     static_cast<long long>(status.st_size), static_cast<long long>(maxBytes));
        return false;
    }
    return true;
}

SDL_RWops* openAssetFile(const char* path, Sint64 maxBytes)
{
    return assetFileAcceptable(path, maxBytes) ? SDL_RWFromFile(path, "rb") : nullptr;
}
