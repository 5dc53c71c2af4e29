// The 5250 session record: everything one 5250 display station knows while the
// emulation runs, its host cells (a 1-based buffer with the message line as one row of
// cells beyond the screen), the display rows painted from them, its format table,
// windows and selection fields, text-assist state, and the keyboard's side.
#pragma once

#include <vector>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/ibmhost/5250/printer/printer5250.h"
#include "terminal/emulations/ibmhost/station/hostcells.h"

// Host cell flags (byte 1).
constexpr u8 kCellChanged = 0x01;  // to be rebuilt and painted by the display update
constexpr u8 kCellIsData = 0x02;   // byte 0 is data although it lies in 0x20-0x3F
constexpr u8 kCellInField = 0x80;  // inside an input field

// Display cell rendition bits (byte 2 of a display cell).
constexpr u8 kShowReverse = 0x01, kShowBold = 0x02, kShowUnderline = 0x04, kShowBlink = 0x08,
             kShowSeparators = 0x10, kShowAttribute = 0x20, kShowSymbol = 0x40;

constexpr u8 k5250PrinterModel = 11;
// The largest reply fits whole: a 27 x 132 Read Screen with extended attributes takes
// up to 7 bytes a cell, a text-assist reply of a full screen a little more.
constexpr int kOutputUnitsMax = 65536;

// Sense codes of negative responses.
enum I5250Sense : u32 {
    kSenseCommand = 0x10030101,
    kSenseClearParameter = 0x10030105,
    kSenseLength = 0x10050110,
    kSenseType = 0x10050111,
    kSenseParameter = 0x10050112,
    kSenseEntry = 0x10050113,
    kSenseValue = 0x10050114,
    kSensePremature = 0x10050121,
    kSenseRowColumn = 0x10050122,
    kSenseBeforeAddress = 0x10050123,
    kSenseFieldLength = 0x10050125,
    kSenseRedefinition = 0x10050126,
    kSenseFieldEnd = 0x10050128,
    kSenseTooManyFields = 0x10050129,
    kSensePastEnd = 0x1005012A,
    kSenseRoll = 0x1005012C,
    kSenseExtendedType = 0x1005012D,
    kSenseExtendedValue = 0x1005012F,
    kSenseAttribute = 0x10050130,
    kSenseContinued = 0x10050135,
    kSenseWordWrap = 0x10050136,
    kSenseNotEscape = 0x10050131,
    kSenseEnhancedOff = 0x00110141,
    kSenseNoInputField = 0x10050140,
    kSenseStructuredLength = 0x10050141,
    kSenseState = 0x082D0100,
    kSensePrinterRecord = 0x08110229,
};

// One stretch of an input field: the attribute position and the field's cells after it.
struct I5250Extent {
    u16 start;  // the attribute position; the first cell is start + 1
    u16 length;
    u8 continued;       // 0 none, 1 first, 2 middle, 3 last
    u8 savedAttribute;  // the field attribute while the entry attribute shows
};

// Field control words given (I5250Field::controlWords).
constexpr u8 kFcwResequence = 0x01, kFcwSelection = 0x02, kFcwIdeographic = 0x08, kFcwTransparency = 0x10,
             kFcwContinued = 0x20, kFcwWordWrap = 0x40, kFcwProgression = 0x80;

// One format-table entry: an input field.
struct I5250Field {
    std::vector<I5250Extent> extents;
    u8 ffw[2];        // field format word
    u8 controlWords;  // kFcw... bits
    u8 entryFlags;    // 0x01 mono entry attribute, 0x02 colour, 0x04 pointer value, 0x08 self-check
    u8 resequence;    // field number to read next (0 none)
    u8 selection;     // 0x81 value
    u8 progression;   // field number for Field Advance
    u8 monoEntry, colourEntry;
    u8 pointer;    // 0x8A value
    u8 selfCheck;  // 0x40 modulus 11, 0xA0 modulus 10
    u8 attribute;
    u8 control;      // 0x08 written as data, 0x10 auto-enter 0x50, 0x40 word wrap
    u8 selectFlags;  // 0x02 designator selection, 0x04 Cursor Select sends selectAid
    u8 selectAid;
};

// FFW bits.
constexpr u8 kFfwBypass = 0x20, kFfwDup = 0x10, kFfwMdt = 0x08, kFfwShift = 0x07;
constexpr u8 kFfw2ExitRequired = 0x40, kFfw2Monocase = 0x20, kFfw2AutoEnter = 0x80, kFfw2MandatoryEnter = 0x08,
             kFfw2Adjust = 0x07;
constexpr u8 kShiftAlphaOnly = 1, kShiftNumericOnly = 3, kShiftDigitsOnly = 5, kShiftIo = 6, kShiftSigned = 7;
constexpr u8 kAdjustZeroFill = 5, kAdjustBlankFill = 6, kAdjustMandatoryFill = 7;

// A window of the enhanced interface (0-based border positions).
struct I5250Window {
    i16 left, top, right, bottom;
    u8 restrictCursor;
};

// One choice of a selection field.
struct I5250Choice {
    u8 flags;  // 0x01/0x02 indicator byte, 0x04 AID byte, 0x08 mnemonic, 0x80 no cursor
    u8 mnemonicOffset;
    u8 aid;
    u8 indicator;
    u8 state;  // 0 selected, 1 not selected, 2 not available
    u16 mnemonic;
    u16 start, end;  // first address and the address after the choice
};

struct I5250SelectionField {
    u16 first, last;   // address range
    i16 row, column;   // 0-based position of the field
    u8 flags;          // 0x01 changed by the operator, structured-field flag bits above
    u8 fieldFlags[3];  // the structured field's flag bytes
    u8 kind;           // high four bits: the choice frame
    u8 textWidth, trailingNulls, separator;
    u8 indicatorAttributes[3], textAttributes[3], thirdAttributes[3];
    u8 rows, columns;
    u8 multiple;  // several choices may be selected
    u8 restrictCursor;
    u16 end;
    std::vector<I5250Choice> choices;
};

// A 16-byte text-assist line record.
struct I5250LineRecord {
    u16 row;
    u16 value;
    u32 key;
    u8 flags1, flags2;
    u8 spare;
    u8 further[3];  // further[2]: the line's format number
};
static_assert(sizeof(I5250LineRecord) == 16, "line records are 16 bytes");

// A text-assist table entry: key or flag, and a private copy of its bytes.
struct I5250TextEntry {
    u16 key;
    std::vector<u8> bytes;
};

struct I5250TextAssist {
    u32 mode;      // text-assist mode on
    u32 defined;   // a text screen was ever defined
    u8 screen[2];  // type 0x34 control bytes
    u8 lineCount;
    u16 value;
    u8 statusRow, scaleRow, scaleOffset, tagColumn, firstRow, lastRow;
    u8 keyboard[4];  // type 0x33: control bytes and two further bytes
    u8 keyboardCount;
    u16 keyboardValues[2];
    u8 pendingFlags[2];
    u8 entry[3];  // type 0x36 control bytes
    u16 entryRow, entryColumn;
    u8 special;                // type 0x37 character
    u8 formatByte, scaleBase;  // type 0x35 bytes 6 and 7
    u16 value3b;               // type 0x3B kind 0x80
    u32 keyDisable;            // type 0x3B kind 0x40
    u32 busy;
    std::vector<I5250TextEntry> characterTexts[2];  // 256 each
    std::vector<I5250TextEntry> commandKeys[2];     // 29 each
    std::vector<I5250TextEntry> formats;            // 256
    std::vector<I5250TextEntry> tagLists[2], lists3a[2];
    u8 activeTagList, activeList3a, activeCharacterTexts, activeCommandKeys;
    // The entry engine's position.
    i16 currentLine;  // 0-based row of the cursor's line record, -1 none
    i16 leftMargin, rightMargin;
    i32 textStart, textEnd;
    i32 promptStart, promptEnd;
    u32 promptActive, characterWait, characterRefusal;
    u8 waitedCharacter;
    u8 promptAid;
};

// The size the screen has: code, buffer size, rows, columns and cell metrics.
struct I5250Geometry {
    u8 code;
    u16 bufferSize;
    u16 rows, columns;
    u16 cellWidth, cellHeight;
};

// The telnet engine reads and sets the first block (Tn5250Session); while the session
// runs, Tn5250ActiveSession points at it.
struct I5250Session : Tn5250Session {
    u32 inhibited;            // keyboard inhibited by the host
    std::vector<u16> output;  // one unit per byte of the outbound record
    u32 outputLength;
    u32 outputOverflow;  // a reply did not fit: it is dropped
    wchar16 deviceCode[8];
    u32 serial;
    u8 capabilities[6];
    u32 monochrome;
    u8 fontCharset, fontIndex;
    u16 altCodePage, ccsid, charSet;
    std::vector<u8> s2u, u2s;
    u8 selector;  // 2 display, 1 printer
    I5250Geometry defaults, alternate, current;
    u16 largestBuffer, largestRows, largestColumns;

    // The message (error) line.
    i32 errorLineStart;  // first cell of the line (rows x columns + 1)
    i16 defaultErrorRow, errorRow;
    u32 errorLineInUse;

    u16 maxInputFields;
    std::vector<I5250Field> fields;
    // The current field: the entry that holds the cursor (-1 none).
    i32 currentField;
    i32 currentExtent;
    i32 currentFirst, currentLast;
    u32 entryShown;
    u32 progressionDefined;
    u32 fieldModified;  // a field is modified

    i32 cursor;  // 1-based
    i32 savedCursors[3];
    i32 insertCursor;
    i32 homeAddress;

    // The record being executed.
    const u8* record;
    i32 recordLength;
    u32 recordSent;
    u32 invite;
    u8 pendingAid, pendingRead, readControl[2];
    u8 header[7];  // start of header
    u8 headerLength;

    u32 rulerOn, rulerFollow, rulerDrawn;
    u16 rulerType, rulerPosition;
    u8 codePageFlags;
    std::vector<u8> e2e;

    u32 lockStart;                     // tick with bit 0 set; 0 = no unlock timer
    u32 unlockDelay;                   // milliseconds
    std::vector<I5250Window> windows;  // top first
    std::vector<I5250SelectionField> selections;
    I5250TextAssist text;
    u32 scaleCursorShown;
    i16 scaleCursorColumn;
    std::vector<I5250LineRecord> lines;
    u8 heldCharacter;
    u8 deferRepaint;  // 1 repaints after a clear wait for the record's end; 2 one waits

    // Keyboard and operator errors.
    u8 stateBeforeError;
    i32 savedCursor;
    i16 coveredRow;  // the screen row the shown message line covers
    i32 fieldExitPosition, savedFieldExit;
    u32 fieldTouched, savedFieldTouched;
    u32 anyModified;
    u32 insertMode;
    u32 monocase;
    u32 messageWaiting;
    u32 cursorBlink;
    u8 aid;
    u8 macroState;       // keystroke macros: 0 none recorded or playing
    i32 sysreqState;     // input state before the System Request line opened
    u32 keysWereLocked;  // the keyboard was locked at the last key turn

    // Display.
    std::vector<HostCell> cells;
    std::vector<HostDisplayRow> rows;  // screen rows, the status row, the message line
    u32 displayDirty;
    u32 blinkPresent;
    u32 redrawAll;
    u32 cursorPosOn;
    i32 lastShownCursor;
    u8 shownIndicators[4];  // macro mode, message waiting, insert, inhibited (0xFF unknown)

    I5250Printer printer;  // a printer session's job, status and window
};

// The running session; the telnet layer's Tn5250ActiveSession points at the same record.
extern I5250Session* I5250ActiveSession;

// Addresses and the layout of rows.
// clang-format off
inline int RowOf(const I5250Session* s, i32 address) { return (address - 1) / s->current.columns; }
inline int ColumnOf(const I5250Session* s, i32 address) { return (address - 1) % s->current.columns; }
inline i32 AddressOf(const I5250Session* s, int row, int column) { return row * s->current.columns + column + 1; }
inline int StatusRowIndex(const I5250Session* s) { return s->current.rows; }
inline int MessageRowIndex(const I5250Session* s) { return s->current.rows + 1; }
inline bool IsAttributeByte(u8 b) { return (b & 0xE0) == 0x20; }
// clang-format on
