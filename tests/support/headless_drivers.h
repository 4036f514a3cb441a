// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>

// Sets the environment under which SDL runs with no display and no sound card, drawing with
// its software renderer: the one ctest gives the unit tests (PLORVIK_HEADLESS_ENVIRONMENT),
// for the test programs that start the game by themselves.
inline void useHeadlessDrivers()
{
    std::istringstream settings(PLORVIK_HEADLESS_ENVIRONMENT);
    for (std::string setting; settings >> setting;) {
        const auto equals = setting.find('=');
        setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
    }
}
