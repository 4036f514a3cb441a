// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

// The environment under which SDL runs with no display and no sound card, drawing with its
// software renderer: the one ctest gives the unit tests (PLORVIK_HEADLESS_ENVIRONMENT).
inline std::map<std::string, std::string> headlessDrivers()
{
    std::map<std::string, std::string> drivers;
    std::istringstream settings(PLORVIK_HEADLESS_ENVIRONMENT);
    for (std::string setting; settings >> setting;) {
        const auto equals = setting.find('=');
        drivers[setting.substr(0, equals)] = setting.substr(equals + 1);
    }
    return drivers;
}

// For the test programs that start the game by themselves; with `replace` false, what the
// caller's environment already chose stands.
inline void useHeadlessDrivers(bool replace = true)
{
    for (const auto& [name, value] : headlessDrivers()) {
        setenv(name.c_str(), value.c_str(), replace ? 1 : 0);
    }
}
