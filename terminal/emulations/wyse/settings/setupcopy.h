// The Wyse family's part of the Setup working copy: the Wyse Settings page's values, the
// colour sets the Attributes page edits and the palette, their factory values, and the
// apply with the rules each personality imposes and the rebuilds a change needs.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/settings/store/setuptext.h"
#include "terminal/settings/setup/tabruler.h"

// Rows of the page's check list, in list order.
// clang-format off
enum WyseCheckRow : int {
    kWyRowMultiPage, kWyRowWidthClears, kWyRowEconomy, kWyRowAutoScroll, kWyRowAutoPage, kWyRowAutoWrap,
    kWyRowDestBs, kWyRowMarginBell, kWyRowEnhance, kWyRowAnswerback, kWyRowSendAck, kWyRowBlockMode,
    kWyRowColour, kWyRowApplicationKeys, kWyRowCrNull, kWyCheckRows
};
// clang-format on
constexpr int kWyseMarginChars = 3;

struct WyseSetupWorking {
    u16 rows[kWyCheckRows];
    u16 lines;       // 0-3: 24, 25, 42, 43
    u16 pageFormat;  // 0-3
    u16 statusLine;  // 0-2
    u16 blockEnd;    // 0-1
    u16 attrType;    // 0-2
    u16 national;    // 0-10
    u16 asciiFont;   // 0-1
    u16 protDim, protBlank, protReverse, protUnderline, protBlink;
    wchar16 marginColumn[CountedTextUnits(kWyseMarginChars)];
    wchar16 tabLine[kTabLineUnits];
    // The colour sets as the Attributes page edits them: the embedded set's 16
    // foregrounds then 16 backgrounds, then the character set's 32 and 32.
    u16 colours[2 * kWyseEmbeddedCombos + 2 * kWyseCharacterCombos];
};
extern WyseSetupWorking WySetup;
constexpr int kWyColour350Fg = 0, kWyColour350Bg = 16, kWyColour370Fg = 32, kWyColour370Bg = 64;

// The live settings back to the factory values of the running personality (the
// colour sets and palettes keep theirs).
void WyseSetDefaults();
void WyseFillSetupCopy();
void WyseDefaultSetupCopy();
// Applies the working copy while a personality runs; the screen is rebuilt or repainted
// as the changes need.
void WyseApplySetupCopy();
// The message fields' attributes the personality starts with.
void WyseResetMessageAttrs();
// The colour sets, live to working and back; their factory values into the working copy
// (the set of the personality chosen in Setup, with `toCopy`) or live.
void WyseFillColourCopy();
void WyseApplyColourCopy();
void WyseDefaultAttrColours(bool toCopy);
// The palettes back to their factory values (live; the Setup dialog keeps its own copy
// of the running one).
void WyseDefaultPalette();
// The palette the running personality shows (the embedded or the character set's), and
// its factory form.
HlsPalette* WyseRunningPalette();
HlsPalette WyseRunningFactoryPalette();
