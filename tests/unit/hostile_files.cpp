// SPDX-License-Identifier: Zlib
#include "hostile_files.h"

#include <SDL_image.h>

#include <memory>

namespace {

std::string bigEndian(Uint64 value, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8U * static_cast<unsigned>(i))) & 0xFFU);
    }
    return out;
}

std::string littleEndian(Uint64 value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8U * static_cast<unsigned>(i))) & 0xFFU);
    }
    return out;
}

// FLAC's checksums: CRC-8 (polynomial 0x07) of a frame header, CRC-16 (0x8005) of a frame.
unsigned crc(const std::string& bytes, int bits, unsigned polynomial)
{
    const unsigned top = 1U << static_cast<unsigned>(bits - 1);
    const unsigned mask = (top << 1U) - 1U;
    unsigned value = 0;
    for (const char byte : bytes) {
        value ^= static_cast<unsigned>(static_cast<unsigned char>(byte)) << static_cast<unsigned>(bits - 8);
        for (int i = 0; i < 8; ++i) {
            value = ((value & top) != 0 ? (value << 1U) ^ polynomial : value << 1U) & mask;
        }
    }
    return value;
}

// A frame's number as FLAC writes it, in UTF-8's shape (below 65,536 here).
std::string frameNumber(Uint32 n)
{
    if (n < 0x80) {
        return std::string(1, static_cast<char>(n));
    }
    if (n < 0x800) {
        return {static_cast<char>(0xC0 | (n >> 6U)), static_cast<char>(0x80 | (n & 0x3FU))};
    }
    return {static_cast<char>(0xE0 | (n >> 12U)), static_cast<char>(0x80 | ((n >> 6U) & 0x3FU)),
            static_cast<char>(0x80 | (n & 0x3FU))};
}

} // namespace

std::string pngHeaderOnly(Uint32 side)
{
    const std::string header = "IHDR" + bigEndian(side, 4) + bigEndian(side, 4) + std::string{8, 6, 0, 0, 0};
    return "\x89PNG\r\n\x1A\n" + bigEndian(13, 4) + header +
           bigEndian(SDL_crc32(0, header.data(), header.size()), 4);
}

std::string svgPicture(Uint32 side)
{
    const std::string size = std::to_string(side);
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width=")" + size + R"(" height=")" + size +
           R"("><rect width="100%" height="100%"/></svg>)";
}

std::string jpegPicture(Uint16 side)
{
    const std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> picture(
        SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_RGBA32), SDL_FreeSurface);
    std::string bytes(4096, '\0');
    SDL_RWops* stream = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    IMG_SaveJPG_RW(picture.get(), stream, 0, 90);
    bytes.resize(static_cast<size_t>(SDL_RWtell(stream)));
    SDL_RWclose(stream);
    // The frame header: marker, length, precision, then height and width.
    const size_t frame = bytes.find("\xFF\xC0");
    if (frame != std::string::npos) {
        bytes.replace(frame + 5, 4, bigEndian(side, 2) + bigEndian(side, 2));
    }
    return bytes;
}

std::string qoiPicture(Uint32 side)
{
    return "qoif" + bigEndian(side, 4) + bigEndian(side, 4) + std::string{4, 0} + std::string(7, '\0') +
           "\x01";
}

std::string ppmPicture(Uint32 side)
{
    return "P6\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n" +
           std::string(side * 3, '\0');
}

std::string vocSilence(int blocks)
{
    const char rateCode = static_cast<char>(0x83);
    std::string bytes = std::string("Creative Voice File\x1A", 20) + littleEndian(26, 2) +
                        littleEndian(0x010A, 2) + littleEndian(0x1129, 2);
    bytes += "\x01" + littleEndian(2 + 16, 3) + rateCode + '\0' + std::string(16, '\x80');
    const std::string silence = "\x03" + littleEndian(3, 3) + littleEndian(0xFFFF, 2) + rateCode;
    for (int i = 0; i < blocks; ++i) {
        bytes += silence;
    }
    return bytes + '\0';
}

std::string flacSilence(int frames)
{
    constexpr Uint64 BLOCK = 4096; // samples a frame
    constexpr Uint64 RATE = 44100; // Hz
    constexpr Uint64 SAMPLE_BITS = 16;
    // STREAMINFO: block sizes, unknown frame sizes, then rate, mono, bits and length; no MD5.
    const Uint64 format = (RATE << 44U) | ((SAMPLE_BITS - 1) << 36U) | (BLOCK * static_cast<Uint64>(frames));
    std::string bytes = "fLaC\x80" + bigEndian(34, 3) + bigEndian(BLOCK, 2) + bigEndian(BLOCK, 2) +
                        std::string(6, '\0') + bigEndian(format, 8) + std::string(16, '\0');
    for (int i = 0; i < frames; ++i) {
        // 4,096 samples at 44.1 kHz, mono, 16 bits; then one constant subframe of zeros.
        std::string frame = "\xFF\xF8\xC9\x08" + frameNumber(static_cast<Uint32>(i));
        frame += static_cast<char>(crc(frame, 8, 0x07));
        frame += std::string(3, '\0');
        bytes += frame + bigEndian(crc(frame, 16, 0x8005), 2);
    }
    return bytes;
}

std::string slowModule(int repeats)
{
    const std::string tone = std::string("tone").append(18, '\0') + bigEndian(16, 2) + '\0' + '\x40' +
                             bigEndian(0, 2) + bigEndian(16, 2);
    const std::string unused =
        std::string(22, '\0') + bigEndian(0, 2) + '\0' + '\x40' + bigEndian(0, 2) + bigEndian(1, 2);
    std::string bytes = std::string("slow").append(16, '\0') + tone;
    for (int i = 0; i < 30; ++i) {
        bytes += unused;
    }
    bytes += static_cast<char>(repeats);
    bytes += '\x7F';
    bytes += std::string(128, '\0') + "M.K.";
    // Four channels a row: the tone, delayed 15 rows on every row; speed 31 and tempo 32 once.
    for (int row = 0; row < 64; ++row) {
        bytes += std::string("\x10\xD6\x0E\xEF", 4);
        bytes +=
            row == 0 ? std::string("\0\0\x0F\x1F", 4) + std::string("\0\0\x0F\x20", 4) : std::string(8, '\0');
        bytes += std::string(4, '\0');
    }
    for (int i = 0; i < 32; ++i) {
        bytes += static_cast<char>(i * 8);
    }
    return bytes;
}

std::string wavHeader(Uint32 rate, Uint32 dataBytes)
{
    return "RIFF" + littleEndian(36 + Uint64{dataBytes}, 4) + "WAVEfmt " + littleEndian(16, 4) +
           littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(rate, 4) + littleEndian(rate, 4) +
           littleEndian(1, 2) + littleEndian(8, 2) + "data" + littleEndian(dataBytes, 4);
}
