// The 5250 monocase filter: typed characters upper-cased for fields whose format word
// asks for monocase, in any national EBCDIC code page.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

wchar16 I5250MonocaseFilter(const I5250Session* s, wchar16 ch);
