// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/input_state.h"

// The buttons held on a given frame (counted from 1) of the trace's fixed script.
ButtonMask scriptedButtons(long frame);
