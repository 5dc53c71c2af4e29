// The IBM 3151: a character and block-mode terminal with up to three pages, each a
// partition of the screen, and the Echo, Character and Block operating modes. This
// header holds the emulation's state (one instance) and its page records; the other
// headers of the folder hold the operations.
//
// Everything here runs on the host-data thread, under the frame lock while bytes are
// processed, so the frame that paints the pages never sees a row half rewritten.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/screenstore.h"

constexpr int kI3151Pages = 3;
constexpr int kI3151PageRows = 30;  // rows 0..24 of a page, then its status records
constexpr int kI3151StatusRow = 25;
constexpr int kI3151HostStatusRow = 26;  // the host's status text (ESC =)
constexpr int kI3151IndicatorRow = 27;   // the indicator texts (the status bar shows them)
constexpr int kI3151BlankStatusRow = 28;
constexpr int kI3151PromptRow = 29;  // the define-key prompt
constexpr int kI3151MaxColumns = 132;
constexpr int kI3151SendUnits = 4096;

// Cell rendition bits.
constexpr u8 kI51Blink = 0x01, kI51Reverse = 0x02, kI51Underline = 0x04, kI51Bold = 0x08;
constexpr u8 kI51Invisible = 0x10, kI51NotShown = 0x20, kI51Protected = 0x40, kI51Mdt = 0x80;
constexpr u8 kI51ShownBits = 0x1F;  // the renditions a field passes on to its text
// Cell flag bits: glyph set 0-2, field attribute cell, numeric field, and (on the
// default cell) a field addressed from column 0 of its row.
constexpr u8 kI51GlyphMask = 0x07, kI51AttributeCell = 0x08, kI51Numeric = 0x10, kI51RowStartField = 0x20;
// Glyph sets of a cell.
constexpr u8 kI51GlyphPlain = 0, kI51GlyphOem = 1, kI51Glyph437 = 2, kI51Glyph850 = 3, kI51GlyphControl = 4,
             kI51GlyphLines = 5;
// Field attribute state flags: the page holds fields, and the next field is numeric.
constexpr u8 kI51Formatted = 0x08, kI51NextNumeric = 0x10;

// Operating modes (bits 0-1 of the mode byte; 3 behaves as Echo).
constexpr u8 kI51Echo = 0, kI51Character = 1, kI51Block = 2;

// The turnaround characters by their code in set-control byte 9.
constexpr u8 kI51TurnaroundByCode[4] = {3, 13, 4, 19};

struct I3151Row {
    ScreenCell cells[kI3151MaxColumns];
    u8 attributeCount;  // field attribute cells in the row: it refuses line insert and delete
    u8 blinks;          // the row may hold blinking cells
};

struct I3151PageRecord {
    int cursorRow = 0, cursorColumn = 0;
    int bufferRow = 0, bufferColumn = 0;
    int firstRow = 0, lastRow = 23;  // the page's screen rows (its partition)
    int lastRowIndex = 23;           // lastRow - firstRow
    ScreenCell current{};            // what new characters take: colour, rendition, flags
    u8 fieldRendition = 0;           // the field attribute that ESC 3 builds
    u8 fieldFlags = 0;               // kI51Formatted, kI51NextNumeric
    ScreenCell defaultCell{};        // blank in the default colours; the default field
    I3151Row* rows[kI3151PageRows] = {};
    bool dirty = false;
    int dirtyRow = 0, dirtyFirst = 0, dirtyLast = 0;
    u8 tabs[kI3151MaxColumns] = {};
    u8 shift = 0, g0 = 0, g1 = 1;  // shift 1: G1; sets 0..7
    u8 transparent = 0;            // DLE STX: controls are shown
};

// The send operations, in the numbers the SENDING state keeps.
enum class I3151Send : u8 { None = 0, All = 1, Line = 2, Page = 3, Message = 4 };

struct I3151State {
    bool active = false;
    u8 mode = 0x40;  // the operating-mode byte; bits 0-1 the operating mode
    // The 17 set-control bytes 0..16 of controls 1 to 7 (control 1's mode byte apart),
    // the turnaround character, and one byte fixed at 7.
    u8 setup[19] = {};
    int pageCount = 1;
    int rows = 24;  // 24 or 25 text rows
    int lastColumn = 79;
    u8 format = 0;       // 0 24x80, 1 25x80, 2 24x132, 3 25x132
    u8 savedFormat = 0;  // the format the profile keeps
    u8 model = 0;        // 0 model 11, 1 model 31
    u8 cursorType = 1;   // 0-3: underline or block, blinking or steady
    wchar16 terminalId[30] = {};
    int hostPage = 0, displayPage = 0;
    bool writePosition = false;  // output goes to the buffer address, not the cursor
    bool inEscape = false;
    bool escapeGivenBack = false;  // an ESC inside a sequence starts the next one
    u32 passThrough = 0;           // DLE DC2 nesting
    // Toggles of the escape groups.
    bool noFieldWrap = false, sendAllFields = false, protectEnforce = false, displayNul = false;
    bool altKeyReply = false, printKeysToHost = false, fieldAttributesShown = true;
    bool pageSeparators = false, statusSeparator = true, trace = false;
    bool keysLocked = false, insertMode = false;
    u8 statusRowMode = 1;
    // State words of the indicator line.
    bool hostBusy = false, auxBusy = false, receiving = false, printing = false;
    bool invalidKey = false, wrongPlace = false, numeric = false, errorLatch = false;
    I3151Send sending = I3151Send::None;
    I3151Send pendingSend = I3151Send::None;  // a send whose end waits for ESC S
    // The status row's own text state while the host writes it (ESC =) or the
    // define-key prompt runs, and where its next character goes.
    bool hostStatusText = false, definingKey = false;
    int statusColumn = 0;
    int announcedHostPage = 0, announcedDisplayPage = 0;
    u8 codePageSet = 2;  // the national set that ESC < B and ESC > B select
};

extern I3151State I3151;

// The page records (indexes 0..2) and the one the current byte acts on: the host page,
// except while a typed byte is processed in block mode or in local mode, when it is the
// display page.
I3151PageRecord* I3151GetPage(int index);
I3151PageRecord* I3151GetCurrentPage();
bool I3151IsBlockMode();
u8 I3151OperatingMode();
bool I3151IsPageFormatted(const I3151PageRecord* page);
// The turnaround character of set-control byte 9.
u8 I3151Turnaround();
