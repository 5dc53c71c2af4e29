// The live values of the profile's "IBM5250" section that the 5250 session reads, with
// their factory values, and the TN5250 environment values it takes its keyboard type
// and host code page from.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct I5250Settings {
    u8 model;         // "I52_model": 0-14, 11 the printer
    u8 mono;          // "I52_mono"
    u8 ignoreCursor;  // "I52_Cursor": the host's cursor blink is not followed
    u32 ruleFollow;   // "I52_RuleFollow"
    u16 ruleType;     // "I52_RuleType": 1 horizontal, 2 vertical, 3 both
    u8 enhancedUi;    // "I52_EnhancedUI": windows and selection fields
    u8 hideWp;        // "I52_HideWP": text-assist control codes paint as blanks
    u16 kbUnlock;     // "I52_KbUnlock": seconds
    u32 symSwap, numSwap;
    u8 font;            // "I52_Font": 255 none chosen
    u8 colours[32][2];  // {foreground, background} by the five attribute bits
    u32 enterInFill;    // "Allow5250EnterInFill"
    u8 cacheClears;     // "I52CacheClears" (Startup): a clear's repaint waits for the record's end
    // The TN5250 environment: KBDTYPE, CODEPAGE, CHARSET.
    wchar16 keyboardType[4];
    u16 codePage, charSet;
};
extern I5250Settings I5250Config;

void I5250SetFactorySettings(I5250Settings& settings);
// The profile's "IBM5250" section and the "Startup" values (the Win32 side).
void I5250LoadSettings();
void I5250SaveSettings();
// KBDTYPE, CODEPAGE and CHARSET of the TN5250 environment (the "5250,USERVAR" values of
// the profile's "Telnet" section); absent values keep 37/697.
void I5250ReadEnvironValues(I5250Settings& settings);
