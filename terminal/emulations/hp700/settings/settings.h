// The HP 700/92's "HP70092" profile section and its factory values.
#pragma once

#include "terminal/core/base/vxtypes.h"

void Hp700LoadSettings();
void Hp700SaveSettings(int fullReload);
// ESC E's factory values: every value but hp_remote and hp_destbs, the user keys and the
// colour table; the custom identity emptied.
void Hp700FactoryDefaults();
// The 16 palette triples to their factory values.
void Hp700DefaultColourTable();
