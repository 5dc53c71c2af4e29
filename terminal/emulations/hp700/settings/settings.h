// The HP 700/92's "HP70092" profile section and its factory values. A value is stored
// only when it differs from its factory value (the user-key lines always, so that the
// reader, which stops at the first key missing, finds every key); a value the section
// lacks takes its factory value, or keeps the current one in a pass that keeps current
// values.
#pragma once

#include "terminal/core/base/registry.h"
#include "terminal/core/base/vxtypes.h"

constexpr const wchar16* kHp700Section = VXT("HP70092");

// The section of the current profile read (the colour table derived again) or written.
void Hp700LoadSettings();
void Hp700SaveSettings(int fullReload);
// The same on an open section key (the two above, tests and the fuzz target).
void Hp700ReadProfile(HKEY key);
void Hp700WriteProfile(HKEY key);

// ESC E's factory values: every value but hp_remote and hp_destbs, the user keys and the
// colour table; the custom identity emptied.
void Hp700FactoryDefaults();
// The 16 palette triples to their factory values.
void Hp700DefaultColourTable();

// User key `key` (0..7): its definition line (key name, attribute, LABEL and the two
// label halves in columns 0..29) and its string line.
constexpr int kHpUserKeyLabelUnits = 30, kHpUserKeyStringUnits = 80;
struct HpLine;
HpLine& Hp700UserKeyLabelLine(int key);
HpLine& Hp700UserKeyStringLine(int key);
