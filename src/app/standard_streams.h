// SPDX-License-Identifier: Zlib
#pragma once

// Puts /dev/null on whichever of descriptors 0-2 the program was started without (as
// `plorvik 2>&-` does). Otherwise the next file or socket opened takes that number, and
// log lines meant for standard error go into it: into the X connection, they freeze
// the game for good.
void openClosedStandardStreams();
