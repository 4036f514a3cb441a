// SPDX-License-Identifier: Zlib
#include "platform/asset_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Bytes asked for at a time: a multiple of 8, since /proc/self/pagemap refuses other sizes.
constexpr std::size_t READ_BLOCK = std::size_t{64} << 10U;

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

bool isRegularFile(int descriptor, const char* path, Sint64& size)
{
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        SDL_SetError("Couldn't read %s: %s", path, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        SDL_SetError("%s is %s, not a regular file", path, kindOf(status.st_mode));
        return false;
    }
    size = status.st_size;
    return true;
}

// Up to the end of the file, counting what the reads give, never what the size said.
bool readAtMost(int descriptor, const char* path, std::size_t maxBytes, std::vector<Uint8>& bytes)
{
    while (bytes.size() <= maxBytes) {
        const std::size_t start = bytes.size();
        bytes.resize(start + READ_BLOCK);
        const ssize_t got = read(descriptor, bytes.data() + start, READ_BLOCK);
        bytes.resize(start + static_cast<std::size_t>(got > 0 ? got : 0));
        if (got == 0) {
            return true;
        }
        if (got < 0 && errno != EINTR) {
            SDL_SetError("Couldn't read %s: %s", path, std::strerror(errno));
            return false;
        }
    }
    SDL_SetError("%s holds more than %zu bytes", path, maxBytes);
    return false;
}

} // namespace

AssetFile readAssetFile(const char* path, std::size_t maxBytes)
{
    AssetFile file;
    // A FIFO with no writer would hold a blocking open for ever.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        SDL_SetError("Couldn't open %s", path);
        return file;
    }
    file.status =
        isRegularFile(descriptor, path, file.statedSize) && readAtMost(descriptor, path, maxBytes, file.bytes)
            ? AssetStatus::READ
            : AssetStatus::REFUSED;
    close(descriptor);
    if (file.status == AssetStatus::REFUSED) {
        file.bytes = {};
    }
    return file;
}

SDL_RWops* streamOver(const std::vector<Uint8>& bytes)
{
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}
