// Hooks of the modules that are not built yet: each does nothing until its module replaces it.
#include "app/ScreenHooks.h"
