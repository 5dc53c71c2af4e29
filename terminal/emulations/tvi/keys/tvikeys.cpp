#include "terminal/emulations/tvi/keys/tvikeys.h"

void TviKeyHandler(int, int) {}
