// SPDX-License-Identifier: Zlib
#include "platform/platform_context.h"

PlatformContext platform;
