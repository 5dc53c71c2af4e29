// The HP 700/92's part of the Setup working copy: what the HP Settings page and the
// Attributes page's colour pairs edit, filled from the live settings when a page opens
// and carried back by OK.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/setup/setupcopy.h"

// Rows of the page's check list, in list order.
// clang-format off
enum Hp700CheckRow : int {
    kHpRowEcho, kHpRowCapsLock, kHpRowTxFunctions, kHpRowSpow, kHpRowInhEolWrap, kHpRowLineTx, kHpRowInhHandshake,
    kHpRowInhDc2, kHpRowEnqAck, kHpRowEscXfer, kHpRowDestBs, kHpRowCrNull, kHpRowDisplayFf, kHpRowIgnoreFf,
    kHpCheckRows
};
// clang-format on
constexpr int kHpModels = 5;          // the built-in identities, hp_termid 0..4
constexpr int kHpSetupCharUnits = 2;  // return definition, separators, prompt
constexpr int kHpStartColumnChars = 3;

struct Hp700SetupFields {
    u16 rows[kHpCheckRows];
    u16 model;                            // list index: hp_termid 0..4
    wchar16 terminalId[kSetupTextUnits];  // the combo's text: a model's name or a custom identity
    u16 pages;                            // 0, 1, 2: 2, 4, 6 pages; another count: none chosen
    wchar16 returnDef[CountedTextUnits(kHpSetupCharUnits)];
    wchar16 startColumn[CountedTextUnits(kHpStartColumnChars)];  // 1..80
    wchar16 fieldSeparator[CountedTextUnits(kHpSetupCharUnits)];
    wchar16 blockTerminator[CountedTextUnits(kHpSetupCharUnits)];
    u16 typeahead;
    wchar16 prompt[CountedTextUnits(kHpSetupCharUnits)];
    // Colour pairs 0..7 as the Attributes page edits them: foreground, background.
    u16 pairs[16];
};
extern Hp700SetupFields Hp700Setup;

// The family's Setup part (FamilyHooks::setup).
struct FamilySetup;
extern const FamilySetup Hp700FamilySetup;

// The built-in identity names as the page lists them ("2392A" ... "70096").
extern const char* const kHp700ModelNames[kHpModels];

void Hp700FillSetupCopy();
// The page's values into the live settings: a page count other than 2, 4 or 6 and a
// start column outside 1..80 leave theirs, an identity naming a built-in model is that
// model (no custom identity). True when the page count changed.
bool Hp700ApplySetupCopy();
// The colour pairs edited on the Attributes page into the live settings.
void Hp700ApplyPairCopy();
// The factory pairs into the working copy ("&Default" of the Attributes page).
void Hp700DefaultPairCopy();
