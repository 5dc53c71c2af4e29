// The live values of the profile's "IBM3270" section that the 3270 session reads.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct I3270Settings {
    u8 mode;               // "IBM_mode": model 0-12
    u32 singleStepMacros;  // "IBM_SSMACRO"
    u32 ruleFollow;        // "IBM_RuleFollow"
    u16 ruleType;          // "IBM_RuleType"
    u16 kbUnlock;          // "IBM_KbUnlock": seconds
    u8 font;               // "IBM_Font"
    u16 sbcsCodePage, sbcsCodeSet, sbcsCcsid;
    u8 apl2;
    u16 apl2CodePage, apl2CodeSet, apl2Ccsid;
    u8 attributeColours[32];  // {foreground, background} by highlight group and field class
    u8 statusBg;              // "IBM_StatusBg"
    // The 3287's print bypass: start sequence ("IBM_PrintBypassSeq"; not empty = on), end
    // sequence ("IBM_PrintBypassEnd"), both up to 20 units, and how a bypass ends
    // ("IBM_PrintBypassEndMethod": 0 end sequence, 2 the first non-hexadecimal character).
    wchar16 printBypassSeq[21];
    wchar16 printBypassEnd[21];
    u16 printBypassEndMethod;
    u8 language;  // the user's language index, not stored
};
extern I3270Settings I3270Config;

// Factory values, the SBCS triple from the language row.
void I3270SetFactorySettings(I3270Settings& settings, u8 language);
// The {code page, character set, CCSID} row of a language index (37/697/37 past the table).
void I3270LanguageCodePages(u8 language, u16& codePage, u16& codeSet, u16& ccsid);
