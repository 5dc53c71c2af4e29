#include "terminal/emulations/ta6530-dg/services.h"

u8 Ta6530Mode = 0;
