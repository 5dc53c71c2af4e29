// The TVI 950 and 955: one engine for both terminals (the TVI 950 flag tells them
// apart). This header holds the emulation's state (one instance), its page memory of
// 100 lines, the key tables and the settings that the keys and the profile section use;
// the other headers of the folder hold the operations.
//
// Everything here runs on the host-data thread, under the frame lock while bytes are
// processed, so the frame that paints the window never sees a row half rewritten.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/settings/store/hls.h"

// Page memory: lines 0-95 hold 1, 2 or 4 pages; then the blank line, the status line and
// the two user lines.
constexpr int kTviLines = 100;
constexpr int kTviPageLines = 96;
constexpr int kTviBlankLine = 96;
constexpr int kTviStatusLine = 97;
constexpr int kTviUserLine = 98;
constexpr int kTviUserLine2 = 99;
constexpr int kTviCells = 134;       // cells of a line (132 columns and two spare)
constexpr int kTviWindowRows = 26;   // top row, 24 display rows, bottom row
constexpr int kTviParameters = 256;  // CSI parameter slots
constexpr int kTviSendPiece = 396;   // units of one piece of a text send
constexpr int kTviStatusTextColumn = 70;

// Cell rendition bits.
constexpr u8 kTviBlink = 0x01, kTviReverse = 0x02, kTviUnderline = 0x04, kTviIntensity = 0x08;
constexpr u8 kTviInvisible = 0x10, kTviProtected = 0x40, kTviAttrStart = 0x80;
// Cell flag bits: the glyph kind in bits 0-2, a box piece, and the core's selection mark
// (bit 7, written by selection).
constexpr u8 kTviGlyphMask = 0x07, kTviBoxCell = 0x08;
constexpr u8 kTviGlyphPlain = 0, kTviGlyphLines = 1, kTviGlyphControl = 2, kTviGlyphBlocks = 3;

struct TviLine {
    u8 locked = 0;  // ESC ! 1: the line keeps its place when the region scrolls
    u8 dirtyFirst = 0xFF, dirtyLast = 0;
    ScreenCell cells[kTviCells] = {};
};

// Programmable function keys: 33 keys of one bank share a buffer of 256 units; key k's
// text runs from start[k] to start[k + 1].
constexpr int kTviFunctionKeys = 33;
constexpr int kTviFunctionKeyUnits = 256;
constexpr u8 kTviKeySends = 0x01, kTviKeyShows = 0x02;
struct TviFunctionKeyBank {
    u16 text[kTviFunctionKeyUnits] = {};
    u32 start[kTviFunctionKeys + 1] = {};
    u8 flags[kTviFunctionKeys] = {};
};
struct TviFunctionKeyTable {
    TviFunctionKeyBank banks[2];
    u8 current = 0;
};

// Editing keys: 20 unshifted and 20 shifted entries of up to three units (0: none).
constexpr int kTviEditKeys = 40;
struct TviEditKeyTable {
    u16 units[kTviEditKeys][3] = {};
};

// Attribute colours: a foreground and a background byte per combination, indexed in the
// order of the profile's value names: intensity (bd) 1, underline 2, blink 4, reverse 8
// ("frgnorm", "frgbold", "frgul", "frgulbd", "frgfl", ... "frgivflbdul").
struct TviAttrColours {
    u8 foreground[16] = {};
    u8 background[16] = {};
};
constexpr int kTviComboBold = 1, kTviComboUnderline = 2, kTviComboBlink = 4, kTviComboReverse = 8;

// The values the profile section keeps and the Setup dialog edits.
struct TviSettings {
    u16 pageTerms[2] = {0x06, 0};                                       // "PageTerms": print-complete answer
    u16 terms[10] = {0x1C, 0, 0x1F, 0, 0x1B, ')', 0x1B, '(', 0x0D, 0};  // "Terms": separator pairs 0-4
    u8 localEditKeys = 0;                                               // "local_edit_key"
    u8 pageEditMode = 0;                                                // "PageEditMode"
    u8 blockMode = 0;                                                   // "BlockMode"
    u8 attrSpace = 1;                                                   // "attrspace"
    int lastColumn = 79;                                                // "dspwdth"
    int displayHeight = 23;                                             // "dspheight"
    int pages = 4;                                                      // "npages"
    int rowsPerPage = 24;                                               // "rowsperpage"
    u8 attrMode = 1;            // "attrmode": 1 an attribute runs to the end of the line
    u8 protect = 0;             // "protect"
    u8 monitor = 0;             // "monitor"
    u8 stopFlash = 0;           // "stopflash"
    u8 writeProtect = 0;        // "writeprotect"
    u8 insertMode = 0;          // "insmode"
    u32 pfKeySet = 0;           // "pfkeyset"
    u8 marginBellOn = 0;        // "margin_bell_on"
    int marginBellColumn = 71;  // "margin_bell_col"
    u8 fillChar = 0;            // "repchar"
    u8 autoWrap = 1;            // "autowrap"
    u32 options = 16;           // "opt"
    int topRow = 97;            // "toprow"
    int bottomRow = 96;         // "btmrow"
    u8 statusAttr = 2;          // "slattr"
    u8 saveFunctionKeys = 1;    // "savefk"
    u32 printMode = 0;          // "Printmode": print started once after loading
};

// Option bits ("opt").
constexpr u32 kTviOptRunTime = 0x01, kTviOptBlankStatus = 0x02, kTviOptNoPosition = 0x04;
constexpr u32 kTviOptMonitorHex = 0x08, kTviOptEditSet = 0x10;

// Print kinds.
constexpr u8 kTviPrintNone = 0, kTviPrintCopy = 1, kTviPrintTransparent = 2, kTviPrintDc2 = 3;

struct TviState {
    bool active = false;  // the emulation runs (its lines are allocated)
    bool tvi950 = false;  // the TVI 950 flag
    bool holdPainting = false;

    // The live settings (the profile's values as the host changed them).
    TviSettings set;

    // Geometry: last column, display height, pages are in `set` (lastColumn,
    // displayHeight, pages, rowsPerPage, topRow, bottomRow).
    u8 pageMap[4] = {0, 1, 2, 3};
    int currentPage = 0;
    int cursorRow = 0, cursorColumn = 0;
    u8 savedCursor[4][2] = {};
    int scrollOffset = 0;
    int viewReturn = -1;  // the offset before the user scrolled the view; -1: none
    int regionTop = 0, regionBottom = 23;
    bool wrapPending = false;

    // Modes (the others are in `set`).
    bool graphics = false;
    bool autoPage = false;
    bool screenOn = true;
    bool reverseScreen = false;
    bool keyboardLocked = false;
    bool intensityInverted = false;  // CSI = 5 h
    u8 cursorStyle = 1;              // 0 none, 1 blinking block, 2 block, 3 blinking underline, 4 underline
    bool savedEcho = false;          // local echo before block mode forced it on
    u8 previousByte = 0;
    bool afterNak = false;
    bool monitorEscape = false;  // monitor mode: an ESC waits for its next byte
    u8 printKind = kTviPrintNone;
    bool printHeldEscape = false;  // copy print: an ESC waits for its next byte
    u8 printOptions[2] = {0, 0};
    bool pagePrinting = false;  // the print page command runs ("FPPG")

    // A pending attribute start (ESC G without attribute space).
    bool attrPending = false;
    int attrPendingLine = 0, attrPendingColumn = 0;
    bool attrPendingWritten = false;

    // Status-row loading: the line (97, 98, 99) and its column; 0 none.
    int loadLine = 0, loadColumn = 0;

    // CSI = mode effects the core holds elsewhere.
    bool editKey1Lf = false;  // mode 9
    bool escKeySends = true;  // mode 12
    bool breakKey = false;    // mode 14

    // The host's parameters of the running CSI sequence.
    u32 csiCount = 1;
    int csiDigits = 0;
    u8 csiMarker = ' ';

    // Dirty span the painter has not shown yet.
    int pendingLine = -1;

    // Status line indicators shown last (for the idle refresh).
    int shownPage = -1, shownRow = -1, shownColumn = -1;

    // Keys and colours: live copies (the Setup copies are in TviSetupCopy).
    TviFunctionKeyTable functionKeys;
    TviEditKeyTable editKeys;
    TviAttrColours colours;
    HlsPalette palette{};
};

extern TviState Tvi;

// The Setup dialog's working copy; the saver also uses it as the factory comparison base.
struct TviSetupCopy {
    TviSettings set;
    TviFunctionKeyTable functionKeys;
    TviEditKeyTable editKeys;
    TviAttrColours colours;
    HlsPalette palette{};
};
extern TviSetupCopy TviSetup;

// The 100 lines as page memory (line pointers: pages change places by exchanging them).
TviLine* TviLineAt(int line);
bool TviLinesAllocated();
// The line a screen row shows: -1 the top row, display height + 1 the bottom row.
int TviScreenRowToLine(int screenRow);

// Tab stops of the columns (1: a stop).
extern u8 TviTabStops[kTviCells];

// CSI = 6 h: a carriage return also feeds a line.
extern bool TviAutoLineFeed;
