// SPDX-License-Identifier: Zlib
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Runs a test inside a fresh working directory with an empty assets/ folder, since
// the game reads its files relative to the working directory.
class TempWorkDir {
public:
    TempWorkDir() : previous(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plorvik-test-XXXXXX").string();
        root = mkdtemp(pattern.data());
        std::filesystem::create_directories(root / "assets");
        std::filesystem::current_path(root);
    }
    ~TempWorkDir()
    {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    // Writes `bytes` to assets/<name>.
    void writeAsset(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(root / "assets" / name, std::ios::binary) << bytes;
    }
    // Copies assets/<name> from the repository's assets folder.
    void copyAsset(const std::string& name) const
    {
        std::filesystem::copy_file(previous / "assets" / name, root / "assets" / name);
    }

    std::filesystem::path previous;
    std::filesystem::path root;
};
