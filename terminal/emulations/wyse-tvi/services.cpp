#include "terminal/emulations/wyse-tvi/services.h"

u8 WyseBlockMode = 0;
