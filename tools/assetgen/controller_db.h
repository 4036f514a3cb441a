// SPDX-License-Identifier: Zlib
#pragma once

#include <string>

// The text of "assets/gamecontrollerdb.txt": a comment header, then one SDL mapping a line.
std::string controllerDatabase();
