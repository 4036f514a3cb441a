// SPDX-License-Identifier: Zlib
#include "platform/wav_check.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr Uint32 FORMAT_PCM = 1;
constexpr Uint64 RIFF_HEADER_BYTES = 12;   // "RIFF", the form's length, "WAVE"
constexpr Uint64 CHUNK_HEADER_BYTES = 8;   // the chunk's name and its length
constexpr Uint64 FORMAT_FIELDS_BYTES = 16; // the fmt chunk up to its bits per sample

Uint32 littleEndian(const Uint8* bytes, int count)
{
    Uint32 value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8U) | bytes[i];
    }
    return value;
}

bool isRiffWave(const std::vector<Uint8>& bytes)
{
    return bytes.size() >= RIFF_HEADER_BYTES && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

// The first fmt chunk and the first data chunk, the ones SDL's loader takes; a length
// counts only the bytes that the file holds.
struct WavChunks {
    const Uint8* format = nullptr;
    Uint64 formatBytes = 0;
    bool hasData = false;
    Uint64 dataBytes = 0;
};

WavChunks findChunks(const std::vector<Uint8>& bytes)
{
    WavChunks found;
    Uint64 at = RIFF_HEADER_BYTES;
    while (at + CHUNK_HEADER_BYTES <= bytes.size() && (found.format == nullptr || !found.hasData)) {
        const Uint8* header = bytes.data() + at;
        const Uint64 length = littleEndian(header + 4, 4);
        const Uint64 body = at + CHUNK_HEADER_BYTES;
        const Uint64 held = std::min<Uint64>(length, bytes.size() - body);
        if (std::memcmp(header, "fmt ", 4) == 0 && found.format == nullptr) {
            found.format = bytes.data() + body;
            found.formatBytes = held;
        } else if (std::memcmp(header, "data", 4) == 0 && !found.hasData) {
            found.hasData = true;
            found.dataBytes = held;
        }
        at = body + length + (length & 1U); // chunks are padded to an even length
    }
    return found;
}

} // namespace

bool acceptableWav(const std::vector<Uint8>& bytes, const char* path, Uint32 maxSeconds)
{
    const WavChunks chunks = isRiffWave(bytes) ? findChunks(bytes) : WavChunks{};
    if (chunks.format == nullptr || chunks.formatBytes < FORMAT_FIELDS_BYTES || !chunks.hasData) {
        SDL_SetError("%s is not a WAV file", path);
        return false;
    }
    const Uint32 encoding = littleEndian(chunks.format, 2);
    const Uint32 channels = littleEndian(chunks.format + 2, 2);
    const Uint32 rate = littleEndian(chunks.format + 4, 4); // frames a second
    const Uint32 bitsPerSample = littleEndian(chunks.format + 14, 2);
    const Uint64 frameBytes = Uint64{channels} * ((bitsPerSample + 7U) / 8U);
    if (encoding != FORMAT_PCM || frameBytes == 0 || rate == 0) {
        SDL_SetError("%s is not a PCM WAV file", path);
        return false;
    }
    if (chunks.dataBytes / frameBytes > Uint64{rate} * maxSeconds) {
        SDL_SetError("%s holds more than %u seconds of sound", path, maxSeconds);
        return false;
    }
    return true;
}
