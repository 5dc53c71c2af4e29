// The Setup working copy: the values the Setup pages edit, beside the live settings.
// A page fills the whole copy from the live settings when it opens, its controls edit
// the copy, and only OK carries the copy back (setupapply.h). Most values are plain
// copies described by a table of fields; the values whose change needs more than a
// store are compared and applied by their own steps.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/setuptext.h"
#include "terminal/settings/setup/tabruler.h"

constexpr int kSetupTextUnits = 80;       // texts of edit and combo controls
constexpr int kSetupLongTextUnits = 133;  // texts that mirror the 133-unit settings
constexpr int kSetupHostUnits = 64;       // the rollover hosts
constexpr int kAnswerbackChars = 32;      // what an answerback holds
constexpr int kTertiaryChars = 33;        // the VT420 tertiary device attributes
constexpr int kSizeTextChars = 3;         // rows, page size and width as decimal texts
constexpr int kLineEndTextChars = 5;      // the block-transmission line and block ends

// A serial line's five choices, as indices into their lists.
struct SetupLineChoice {
    u16 speed, parity, stopBits, dataBits, flow;
};
enum SetupLineOwner : int { kLineConnection = 0, kLinePrinter = 1, kLineAux = 2, kLineOwners = 3 };

// Rows of the Terminal Settings page's check list, in list order.
// clang-format off
enum TerminalModeRow : int {
    kRowSaveBeforeClear, kRowSaveScrolled, kRowVerticalCoupling, kRowHorizontalCoupling, kRowPageCoupling,
    kRowAutoWrap, kRowAutoNewLine, kRowAutoLineFeed, kRowApplicationKeypad, kRowApplicationCursor,
    kRowDisplayControls, kRowDisplayErrors, kRowJumpScroll, kRowWidthClears, kRowBackspaceDel, kRowIgnoreNulls,
    kRowHighFunction, kRowRightToLeft, kTerminalModeRows
};
// clang-format on

struct SetupWorkingCopy {
    // Emulation Settings.
    u16 emulation;
    u16 terminalId;                               // list index of the VT terminal id
    wchar16 terminalIdText[kSetupLongTextUnits];  // a custom id, or the model's name
    u16 national;                                 // inverse of the multinational flag
    wchar16 tertiary[CountedTextUnits(kTertiaryChars)];
    wchar16 answerback[CountedTextUnits(kAnswerbackChars)];
    u16 answerbackConcealed;
    // Serial Settings.
    SetupLineChoice line[kLineOwners];
    u16 transmitRate;
    u16 onLine;  // inverse of the local mode
    u16 localEcho;
    // New Connection.
    u16 transport;  // 0 telnet, 1 serial
    u16 noConnection;
    wchar16 host[kSetupLongTextUnits];
    wchar16 rolloverHost[3][kSetupHostUnits];
    u16 device;  // serial port number, 255 none
    u32 deviceKind;
    wchar16 terminalType[kSetupLongTextUnits];
    u32 timeOut;
    // Terminal Settings.
    wchar16 rows[CountedTextUnits(kSizeTextChars)];
    wchar16 memoryRows[CountedTextUnits(kSizeTextChars)];
    wchar16 pageSize[CountedTextUnits(kSizeTextChars)];
    wchar16 pageWidth[CountedTextUnits(kSizeTextChars)];
    u16 columns132;
    u16 font80;
    u16 statusLine;
    u16 cursorType;    // 4 = hidden
    u16 characterSet;  // preferred set: string id - 1571
    u16 font;
    u16 ansiCodePage;
    u16 freezeNumLock;
    u16 modes[kTerminalModeRows];
    wchar16 tabLine[kTabLineUnits];  // the shared screen's tab stops (tabruler.h)
    // Attributes: the attribute colour table (setupcolours.h) and the preferences.
    u16 attributeColours[35];
    u16 inverseColours, swapBlackWhite, autoColour, ansiColoursDisabled;
    u16 coloursClearedWithAttributes;  // inverse of keepcolours
    u16 attributesNormalBackground, italicWithIntensity, boldFont;
    // Local Editing.
    u16 editOperation;  // 0 interactive, 1 edit, 2 unavailable
    u16 editKeyDeferred;
    u16 eraseUnprotected;
    u16 editClearsAttributes;
    u16 editProtectsAll;
    // Block Transmission. Four boxes say "send" where the setting says "do not".
    u16 sendUnprotectedOnly;  // inverse of edit_gatm
    u16 sendFontInformation;  // inverse of edit_nosets
    u16 sendSelectedOnly;
    u16 sendRecordSeparators;  // inverse of edit_no_rs
    u16 sendAllSelected;
    u16 sendCompressed;
    u16 lineTransmission;
    u16 sendPartialPage;  // inverse of edit_ttm
    u16 sendKeyDeferred;
    u16 pfKeyEffect;  // 0 none, 1 breakthrough, 2 transmit prefix
    u16 vt131Protocol;
    wchar16 endOfLine[CountedTextUnits(kLineEndTextChars)];
    wchar16 endOfBlock[CountedTextUnits(kLineEndTextChars)];
    // Open Session and Save Session As.
    u16 saveAsDefault;
    wchar16 profileName[kSetupLongTextUnits];
    u16 savedItems[8];   // savemacros ... savesettings, in the page's order
    u16 perUserProfile;  // 0 all users, 1 this user only
    // Soft Buttons: the level shown (0-3), the button chosen (number less one), the
    // bar's visible levels and attachment.
    u16 softButtonLevel;
    u16 softButtonNumber;
    u16 softButtonLevelsVisible;
    u16 softButtonsAttached;
    // Mouse Button Actions: left Normal ... DoubleClick, then the right button's.
    u16 mouseActions[12];
    u16 highlightWhenActioned;
};
extern SetupWorkingCopy SetupCopy;

// Set by OK, read by the one who opened the page.
extern u16 SetupResult;
// Consumed by the re-layout after the apply: fonts or sizes changed, rows changed.
extern u16 SettingsChangedFlag;
extern u16 RowsChangedFlag;
// The Attributes page changed colours that OK must apply.
extern u16 ColoursEditedFlag;
// The apply changed the national mode or the preferred character set: the running
// family sets up its character sets again (in its `applied` step).
extern u16 SetupCharsetsChanged;

// How a working field mirrors its live setting.
enum class LiveKind : u8 {
    Byte,     // u8 live, sign-extended into the u16 field, stored back as its low byte
    Word,     // u16 live
    Dword,    // u32 live into a u32 field
    Text,     // wchar16 live of `capacity` units into a text field at least as long
    Counted,  // wchar16 live of `capacity` units into a counted text (escaped)
};
struct SetupCopyField {
    void* working;
    void* live;
    LiveKind kind;
    u8 inverted;   // Byte and Word: the field is 1 when the live value is 0
    u16 capacity;  // Text and Counted: units of the live buffer, terminator included
};
struct SetupCopyFieldTable {
    const SetupCopyField* fields;
    int count;
};

// Copies one table's live values into the working copy, or back.
void FillCopyFields(SetupCopyFieldTable table);
void StoreCopyFields(SetupCopyFieldTable table);

// The fields the tables describe from the live settings (SetupResult cleared), and the
// parts of the registered families (FamilyHooks::setup).
void FillSetupCopyFields();
void FillSetupCopyEmulation();
// The plain fields and the families' parts back into the live settings.
void StoreSetupCopyFields();
// The families' last steps of the apply.
void FinishSetupCopyFamilies();

// The decimal number at the start of a counted size text, 0 when it has none.
int SetupSizeNumber(const wchar16* counted);
// Writes a number into a counted size text.
void SetSetupSizeText(wchar16* counted, int value);
