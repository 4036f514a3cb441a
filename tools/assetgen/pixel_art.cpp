// SPDX-License-Identifier: Zlib
#include "pixel_art.h"

#include <cstdio>
#include <cstdlib>

namespace {

const Ink* findInk(char key, const std::vector<Ink>& inks)
{
    for (const Ink& ink : inks) {
        if (ink.key == key) {
            return &ink;
        }
    }
    return nullptr;
}

} // namespace

void paintArt(Image& image, int x, int y, const std::vector<std::string_view>& rows,
              const std::vector<Ink>& inks)
{
    int row = 0;
    for (std::string_view text : rows) {
        for (size_t col = 0; col < text.size(); ++col) {
            if (text[col] == '.') {
                continue;
            }
            const Ink* ink = findInk(text[col], inks);
            if (ink == nullptr) {
                std::fprintf(stderr, "no ink for '%c' in art row \"%.*s\"\n", text[col],
                             static_cast<int>(text.size()), text.data());
                std::abort();
            }
            image.blend(x + static_cast<int>(col), y + row, ink->colour);
        }
        ++row;
    }
}

std::string mirrored(std::string_view leftHalf)
{
    std::string row(leftHalf);
    row.append(leftHalf.rbegin(), leftHalf.rend());
    return row;
}
