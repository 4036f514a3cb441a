// SPDX-License-Identifier: Zlib
#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The whole content of a file, empty if it cannot be read.
inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
