#include "core/settings/clock_time.h"

int clockSet = 0;
SystemTime clockTime = {};
