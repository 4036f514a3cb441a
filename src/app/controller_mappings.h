// SPDX-License-Identifier: Zlib
#pragma once

#include <string>

constexpr const char* CONTROLLER_MAPPINGS_PATH = "assets/gamecontrollerdb.txt";

// The controller mapping database as text for SDL's mapping hint; empty (SDL's
// built-in mappings only) when the file is missing or unreadable. Logs either case.
std::string readControllerMappings();
