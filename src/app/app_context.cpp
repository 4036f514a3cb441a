#include "app/app_context.h"

AppContext app;
