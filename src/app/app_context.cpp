// SPDX-License-Identifier: Zlib
#include "app/app_context.h"

AppContext app;
