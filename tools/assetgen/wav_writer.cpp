// SPDX-License-Identifier: Zlib
#include "wav_writer.h"

#include <fstream>

namespace {

void put16(std::ofstream& out, std::uint32_t value)
{
    out.put(static_cast<char>(value & 0xFF));
    out.put(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::ofstream& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples)
{
    constexpr std::uint32_t CHANNELS = 1;
    constexpr std::uint32_t BYTES_PER_SAMPLE = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * BYTES_PER_SAMPLE);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16); // size of the format chunk
    put16(out, 1);  // integer PCM
    put16(out, CHANNELS);
    put32(out, SAMPLE_RATE);
    put32(out, SAMPLE_RATE * CHANNELS * BYTES_PER_SAMPLE);
    put16(out, CHANNELS * BYTES_PER_SAMPLE);
    put16(out, BYTES_PER_SAMPLE * 8);
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::int16_t sample : samples) {
        put16(out, static_cast<std::uint16_t>(sample));
    }
    return static_cast<bool>(out);
}
