// SPDX-License-Identifier: Zlib
#include "platform/png_file.h"

#include <algorithm>
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
// A chunk is its data's length, its type, its data and a CRC.
constexpr size_t CHUNK_TYPE_AT = 4;
constexpr size_t CHUNK_FRAME_BYTES = 12;
// Header, palette, transparency, image data and end: all that SDL_image's picture needs.
constexpr const char* PICTURE_CHUNKS[] = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};

Uint32 bigEndian(const Uint8* bytes)
{
    return (Uint32{bytes[0]} << 24U) | (Uint32{bytes[1]} << 16U) | (Uint32{bytes[2]} << 8U) |
           Uint32{bytes[3]};
}

bool makesPicture(const Uint8* type)
{
    return std::any_of(std::begin(PICTURE_CHUNKS), std::end(PICTURE_CHUNKS),
                       [type](const char* kept) { return std::memcmp(type, kept, 4) == 0; });
}

} // namespace

std::optional<PngSize> readPngSize(const std::vector<Uint8>& bytes)
{
    if (bytes.size() < BYTES_NEEDED || std::memcmp(bytes.data(), SIGNATURE, sizeof SIGNATURE) != 0 ||
        std::memcmp(bytes.data() + HEADER_TYPE_AT, HEADER_TYPE, sizeof HEADER_TYPE) != 0) {
        return std::nullopt;
    }
    return PngSize{bigEndian(bytes.data() + WIDTH_AT), bigEndian(bytes.data() + HEIGHT_AT)};
}

std::vector<Uint8> pictureChunksOnly(const std::vector<Uint8>& bytes)
{
    std::vector<Uint8> kept(bytes.begin(), bytes.begin() + sizeof SIGNATURE);
    size_t at = sizeof SIGNATURE;
    // A chunk cut short by the end of the file is kept as it is, for libpng to report.
    while (at + CHUNK_FRAME_BYTES <= bytes.size()) {
        const Uint64 length = Uint64{CHUNK_FRAME_BYTES} + bigEndian(bytes.data() + at);
        const size_t end = at + static_cast<size_t>(std::min<Uint64>(length, bytes.size() - at));
        if (makesPicture(bytes.data() + at + CHUNK_TYPE_AT)) {
            kept.insert(kept.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() + static_cast<std::ptrdiff_t>(end));
        }
        at = end;
    }
    kept.insert(kept.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    return kept;
}
