// SPDX-License-Identifier: Zlib
#include "platform/png_size.h"

#include <cstring>

namespace {

// The signature, then the first chunk, which must be the header: its length, its
// type, and the width and height in big-endian order.
constexpr unsigned char SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char HEADER_TYPE[] = {'I', 'H', 'D', 'R'};
constexpr size_t HEADER_TYPE_AT = 12;
constexpr size_t WIDTH_AT = 16;
constexpr size_t HEIGHT_AT = 20;
constexpr size_t BYTES_NEEDED = 24;

Uint32 bigEndian(const unsigned char* bytes)
{
    return (Uint32{bytes[0]} << 24U) | (Uint32{bytes[1]} << 16U) | (Uint32{bytes[2]} << 8U) |
           Uint32{bytes[3]};
}

} // namespace

std::optional<PngSize> readPngSize(SDL_RWops* stream)
{
    unsigned char bytes[BYTES_NEEDED] = {};
    const size_t read = SDL_RWread(stream, bytes, 1, BYTES_NEEDED);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (read != BYTES_NEEDED || std::memcmp(bytes, SIGNATURE, sizeof SIGNATURE) != 0 ||
        std::memcmp(bytes + HEADER_TYPE_AT, HEADER_TYPE, sizeof HEADER_TYPE) != 0) {
        return std::nullopt;
    }
    return PngSize{bigEndian(bytes + WIDTH_AT), bigEndian(bytes + HEIGHT_AT)};
}
