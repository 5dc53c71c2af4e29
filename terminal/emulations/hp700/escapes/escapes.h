// The HP 700/92's escape sequences: the byte after ESC chooses a handler from a table;
// ESC & and ESC * read numeric groups.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// ESC from the byte path: the sequence is read to its end (or abandoned).
void Hp700BeginEscape();

// The group sequences.
void Hp700AmpersandDispatch();
void Hp700StatusRequest();
void Hp700CursorAddress(const Hp700GroupParameters& p);
void Hp700TerminalModes(const Hp700GroupParameters& p);
void Hp700StrapSettings(const Hp700GroupParameters& p);
void Hp700ColourPairs(const Hp700GroupParameters& p);
void Hp700WindowControl(const Hp700GroupParameters& p);
void Hp700LabelControl(const Hp700GroupParameters& p);

// The colour-pair conversions (hundredths): a palette index.
int Hp700HlsToIndex(int h, int s, int l);
int Hp700RgbToIndex(int r, int g, int b);
