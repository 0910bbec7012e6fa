#include "cli/settings.h"

RunSettings settings;
