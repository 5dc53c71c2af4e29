// The HP 700/92: a block-mode capable character terminal with a display memory of 2 to
// 8 pages of 24 lines, a 24-line window onto it, forms made of marks in the memory,
// soft-key menus, user keys and a printer port. This header holds the emulation's state
// (one instance, Hp700) and its line records; the other headers of the folder hold the
// operations.
//
// Everything here runs on the host-data thread, under the frame lock while bytes are
// processed, so the frame that paints the window never sees a line half rewritten. The
// user-interface thread reads it only from the frame and from the Setup dialog while no
// host data is processed.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/screenstore.h"

constexpr int kHpScreenRows = 24;
constexpr int kHpMinPages = 2, kHpMaxPages = 8, kHpDefaultPages = 4;
constexpr int kHpMaxColumns = 132;
constexpr int kHpLineCells = 134;  // 132 columns and two cells of room
constexpr int kHpLabelLines = 18;  // two per soft-key menu (seven) and two for the label screens
constexpr int kHpUserKeyLines = 16;
constexpr int kHpUserKeys = 8;
constexpr int kHpGroups = 256;
constexpr int kHpSendUnits = 256;
constexpr int kHpRecordLine = 256;
constexpr int kHpTypeahead = 256;
constexpr int kHpCustomIdUnits = 133;
constexpr u8 kHpNoEntryColumn = 255;

// Cell byte 2 (ScreenCell::rendition): the enhancement and the field bits.
constexpr u8 kHpEnhBlink = 0x01, kHpEnhInverse = 0x02, kHpEnhUnderline = 0x04, kHpEnhHalfBright = 0x08;
constexpr u8 kHpEnhMask = 0x0F, kHpSecurity = 0x10, kHpAltSet = 0x20, kHpUnprotected = 0x40;
constexpr u8 kHpOutsideField = 0x80;
// Cell byte 3 (ScreenCell::flags): where runs start, and the selection mark.
constexpr u8 kHpMarkShift = 0x02, kHpMarkField = 0x04, kHpMarkEnhancement = 0x08, kHpMarkSecurity = 0x10;
constexpr u8 kHpMarkControl = 0x20, kHpMarkColour = 0x40, kHpSelected = 0x80;

// One line of display memory (also a label line and a user-key definition line).
// Cell byte 0 holds the Roman-8 code (0: never written), byte 1 the colour pair in the
// low nibble, byte 2 the enhancement and field bits, byte 3 the marks.
struct HpLine {
    ScreenCell cells[kHpLineCells];
    u8 used;         // written at least once
    u8 blinks;       // may hold blinking cells (the blink tick clears it when none is left)
    u8 entryColumn;  // where keyboard entry began on this line; kHpNoEntryColumn for none
};

// The soft-key menus: 0..6 the fixed menus, 7 the user-key label entry screen, 8 the
// user-key labels (and the notices of the label row).
constexpr u8 kHpMenuMain = 0, kHpMenuModes = 1, kHpMenuUserKeys = 2, kHpMenuMargins = 3, kHpMenuConfig = 4;
constexpr u8 kHpMenuDevice = 5, kHpMenuDeviceModes = 6, kHpMenuLabelEntry = 7, kHpMenuLabels = 8;

// The pending-reply word's bits, lowest first: the runner sends the lowest pending one.
enum Hp700Reply : u8 {
    kHpReplyPrimary = 0,
    kHpReplySecondary = 1,
    kHpReplyDevice = 2,
    kHpReplyCursorAbsolute = 3,
    kHpReplyCursorRelative = 4,
    kHpReplyKey = 5,
    kHpReplyEnter = 6,
    kHpReplyEnterCharacter = 7,
    kHpReplyEnterModify = 8,
    kHpReplyBlock = 9,
    kHpReplyCompletion = 10,
    kHpReplyIdentity = 11,
    kHpReplyFeature1 = 12,
    kHpReplyFeature2 = 13,
    kHpReplyFeature3 = 14,
    kHpReplyFeature4 = 15,
    kHpReplyIdentity5 = 16,
    kHpReplyColourPair = 21,
    kHpReplyProductName = 26,
};

// The "HP70092" section's values as they are live (the modes among them change by
// escape sequences and soft keys too, and are saved as they stand).
struct Hp700Settings {
    u8 modall = 0, blockmode = 0, remote = 1, autolf = 0, configlock = 0, destbs = 0, echo = 0;
    u8 enqack = 1, capslock = 0, startclmn = 0, inhhndshk = 0, inhdc2 = 0, escxfer = 0;
    u8 bell = 1, txfunctns = 0, spow = 0, inheolwrap = 0, txpage = 0, eightBits = 0, crnull = 0;
    u8 datashi = 0, chkparity = 0, typeahead = 0, promptchar = 17, fieldsep = 31, blockterm = 30;
    u8 printff = 1, ignoreff = 0, width80 = 1, pages = kHpDefaultPages;
    // hp_termid is HpModel (terminaltype.h): the telnet layer reads it too.
    wchar16 returndef[2] = {13, 32};
    wchar16 customId[kHpCustomIdUnits + 1] = {};
    // Palette entries 0..15 as hue (degrees), lightness and saturation (hundredths).
    u16 hue[16] = {}, light[16] = {}, sat[16] = {};
    // Colour pairs 0..7: palette index of the foreground and the background.
    u8 foreground[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    u8 background[8] = {7, 7, 7, 7, 7, 7, 7, 3};
};

// One parsed group of an ESC & or ESC * sequence: "12.5a" is value 12, fraction 50
// (hundredths, as written: ".5" is 50), digits 2, terminator 'a'.
struct Hp700Group {
    u8 terminator;
    bool negative;  // a "-" was given (with or without digits)
    bool relative;  // "+" or "-" made this group relative
    bool hasDigits;
    i32 value;
    i32 digits;
    i32 fraction;
};
struct Hp700GroupParameters {
    Hp700Group groups[kHpGroups];
    int count;
};

struct Hp700State {
    bool active = false;

    // ---- Display memory ----
    int pages = kHpDefaultPages;
    int memoryLines = kHpDefaultPages * kHpScreenRows;  // M
    HpLine** lines = nullptr;                           // memory lines 0..M-1 in order
    HpLine* lineBlock = nullptr;                        // the records behind `lines`
    int viewTop = 0;                                    // the memory line shown on screen row 0 (0..M-24)
    int cursorRow = 0, cursorColumn = 0;                // row counted from memory line 0
    int lastColumn = 79, leftMargin = 0, rightMargin = 79;
    u8 tabs[kHpMaxColumns] = {};  // 1 for a stop
    bool memoryLock = false;
    int lockFirst = 0, lockLast = -1;  // the locked memory lines (empty when last < first)

    // ---- What new characters take ----
    u8 colourPair = 0;  // not a mode: cells take the pair of their run
    bool shiftOut = false;

    // ---- Modes ----
    bool lineModify = false, displayFunctions = false, formatMode = false;
    bool displayFunctionsEscape = false;  // the last character stored under Display Functions was ESC
    u8 insertMode = 0;                    // 0 off, 1 insert, 2 insert with wraparound
    bool spaceOverLatch = false;
    bool logTop = false, logBottom = false, recordMode = false;
    bool toDisplay = false, toExtDev = false;
    bool keyboardLocked = false, transferRunning = false;
    bool keyboardHeld = false;  // typeahead handshaking holds the keyboard
    bool typedLocally = false;
    bool bracketFlag = false;        // ESC & k [ : stored only
    bool caseInvert = false;         // ESC & k 1 P: typed letters change case by Shift and Caps Lock
    bool leaveForVt = false;         // ESC & k 1 \ : the reader switches to VT500 7-bit
    bool enterCursorReport = false;  // ESC & x 1 C
    bool enterLocks = false;         // ESC & k 1 K
    bool colourModeHls = false;      // ESC & v 1 M: pairs given as hue, saturation, lightness; 0 M: RGB
    bool displayOff = false;         // ESC & w 13 F
    bool selfTestRan = false, selfTestRunning = false;

    // ---- Soft keys and user keys ----
    // The current pair values of ESC & v (hundredths: A B C X Y Z) and each pair's as stored.
    u8 colourValues[6] = {};
    u8 pairValues[8][6] = {};

    u8 menu = kHpMenuModes, rememberedMenu = kHpMenuModes;
    bool labelLock = false, labelsShown = true;
    HpLine labelLines[kHpLabelLines] = {};  // menu m: lines 2m and 2m + 1; 14, 15 label entry; 16, 17 notices
    HpLine userKeyLines[kHpUserKeyLines] = {};
    wchar16 userKeyBackup[kHpUserKeys][30 + 80] = {};
    // The cursor the configuration screen and the memory window exchange.
    int savedCursorRow = 0, savedCursorColumn = 3, savedViewTop = 0;
    int localKeyLine = -1;  // a user key's string line being executed locally, or -1
    int localKeyColumn = 0;
    // The window lines the definition screen took the place of, and its 8 blank lines.
    HpLine* configSaved[kHpScreenRows] = {};
    HpLine configBlank[kHpScreenRows - kHpUserKeyLines] = {};
    bool noticeShown = false;  // "Function Locked" waits for Return
    // The indicators the label row shows (memory row and column + 1; -1 not shown yet).
    int shownRow = -1, shownColumn = -1;
    u8 idleTicks = 0;

    // ---- Host path ----
    bool inEscape = false;
    bool escapeGivenBack = false;  // an ESC inside a sequence starts the next one
    Hp700GroupParameters* groups = nullptr;
    u16* sendBuffer = nullptr;
    int sendCount = 0;

    // ---- Replies ----
    u32 pending = 0;
    bool dc1Received = false;
    u8 handshake = 0;           // 0 none; 1 awaiting DC1; 2 DC2 sent, awaiting DC1
    u8 colourPairAsked = 0xFF;  // pair of ESC & v n ^, 0xFF all
    u8 deviceAsked = 0;         // n of ESC & p n ^
    u8 completionLetter = 'S';
    bool completionFromKey = false;
    int keyTransmission = -1;  // the user key whose string bit 5 sends, or -1

    // ---- Printer ----
    u8 copyMode = 0;
    int copyLastLine = 0;
    int pValue = 0;
    u8* recordLine = nullptr;
    int recordCount = 0;
    int transparentCount = -1;  // bytes of ESC & p n W still to print; -1 none

    // ---- Keyboard ----
    u8 typeahead[kHpTypeahead] = {};
    int typeaheadCount = 0, typeaheadRead = 0, typeaheadWrite = 0;

    // ---- Settings ----
    Hp700Settings settings;
};

extern Hp700State Hp700;

// True while the emulation runs with its memory in place.
bool Hp700Running();
