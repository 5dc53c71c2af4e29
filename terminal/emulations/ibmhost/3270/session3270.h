// The 3270 session record: everything one 3278/3279 display or 3287 printer session
// knows, the cells of its buffer, the display rows painted from them and the state of
// its keyboard and operator information area. One record exists while the 3270
// emulation is active.
#pragma once

#include <vector>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"
#include "terminal/emulations/ibmhost/station/hostcells.h"

// The 3270's meaning of a host cell: byte 0 a character (0 null, 0 in an attribute
// cell); the flags below; highlighting 0 inherit, 0xF0 default, 0xF1 blink, 0xF2
// reverse, 0xF4 underscore; colour 0 inherit or 0xF0-0xFF; charset 0 inherit, 0xF1 the
// APL2 (graphic escape) set.

constexpr u8 kCellModified = 0x01;       // attribute: modified data tag
constexpr u8 kCellGraphicEscape = 0x02;  // character from the APL2 set
constexpr u8 kCellDetectable = 0x04;
constexpr u8 kCellIntensified = 0x08;
constexpr u8 kCellDisplayBits = 0x0C;  // both set: non-display
constexpr u8 kCellNumeric = 0x10;
constexpr u8 kCellProtected = 0x20;
constexpr u8 kCellAttribute = 0x40;
constexpr u8 kCellRepaint = 0x80;
// The bits of a field attribute byte that a cell keeps (the 6-bit code without 0x02).
constexpr u8 kFieldAttributeBits = 0x3D;

inline bool IsAttribute(const HostCell& c)
{
    return (c.flags & kCellAttribute) != 0;
}
inline bool SameCell(const HostCell& a, const HostCell& b)
{
    return a.character == b.character && (a.flags & 0x7F) == (b.flags & 0x7F) &&
           a.highlighting == b.highlighting && a.colour == b.colour && a.charset == b.charset;
}

// The 3270's meaning of a display cell: the colour's foreground nibble 0 = not given;
// rendition bits 0-2 the highlight class and kDisplaySymbol; field 0x40 attribute
// position and the field flags of the field.
constexpr u8 kHighlightBlink = 1, kHighlightReverse = 2, kHighlightUnderline = 4;
constexpr u8 kDisplaySymbol = 0x20;     // graphic escape or status-row symbol
constexpr u8 kDisplayOwnSymbol = 0x70;  // DUP, field mark and SUB drawn from the symbols

struct I3270Geometry {
    u32 sizeCode;
    i32 bufferSize;
    i16 rows, columns;
    u32 cellWidth, cellHeight;
};

// Numbered data-stream and record errors (0 = success).
enum I3270Error : u32 {
    kErrDataTypeNotAllowed = 703,
    kErrBindNotAgreed = 713,
    kErrBeforeBind = 714,
    kErrBindTooShort = 716,
    kErrBindLuType = 723,
    kErrBindScreenSize = 724,
    kErrUnknownCommand = 750,
    kErrCharsetValue = 751,
    kErrBadAddress = 752,
    kErrBadAttribute = 753,
    kErrDataEnds = 754,
    kErrOrderNotSupported = 755,
    kErrFieldNotSupported = 756,
    kErrReplyMode = 758,
    kErrFieldLength = 759,
    kErrResetFlags = 760,
    kErrPartition = 761,
    kErrCreatePartition = 762,
    kErrPartitionUnits = 767,
    kErrStartPrint = 770,
    kErrReadPartitionType = 771,
    // No printer could be opened for the 3287's data (intervention required).
    kErrNoPrinter = 780,
};

// Operator-information entries of the input-inhibit field.
constexpr u8 kOperatorNumeric = 7, kOperatorProtected = 9, kOperatorNoRoom = 10, kOperatorNotAvailable = 15;

constexpr int kOutputUnits = 16384;

// The telnet engine reads and sets the session's first block (Tn3270Session); while
// the session runs, Tn3270ActiveSession points at it.
struct I3270Session : Tn3270Session {
    HWND owner;
    u32 repaintAll;
    u8 statusBg;
    i16 sessionKind;  // 0 printer not known yet, 1 SCS, 2 display, 3 3270DS printer
    u32 bound;
    u32 sscpLuBySysReq;
    u32 bindReceived;
    u32 lastError;
    u32 programCheck;  // error shown in the OIA (0 none)

    // Keyboard and inhibit state.
    u32 operatorError;  // 0 none, else the inhibit entry (7, 9, 10, 15 ...)
    u32 systemLock;     // set by every Write
    u32 keyboardLocked;
    u32 lockFlag;  // an AID is in progress (reason 4)
    u32 unlockPending;
    u32 insertMode;
    u32 monocase;   // the Mono case key: typed letters enter as capitals
    u32 lineEntry;  // a character-mode line is being typed
    i32 lineStart;
    u8 macroFlags, macroState;
    u8 sessionState;  // 0-4 shown at OIA columns 2-6
    u8 numLock;

    u8 highlightMap[16];
    u8 colourMap[16];
    u8 attributeColours[32];
    HostCell defaultAttribute;
    HostCell currentAttributes;

    std::vector<u16> output;
    i32 outputLength;

    u32 alternateInUse;
    I3270Geometry defaults, alternate, current;
    i32 capacity;
    i32 cursor;
    i32 bufferAddress;
    i32 laidOutSize;  // buffer size the window was last laid out for

    HostCell typedTemplate;
    u32 protectionOverride, numericCheck, insertShifting, displayToggle, changed;
    u32 selection;

    u32 rulerOn, rulerFollow;
    u16 rulerStyle, rulerPosition;

    u16 direction;             // bits 0-1 reversed input, 2 mirrored screen, 3 national map
    std::vector<u8> national;  // the "E2E" section: two NUL-ended strings

    u32 lockStart;   // tick with bit 0 set; 0 = not running
    u32 lockLength;  // milliseconds

    u8 partitionCreated, address16, partitionFlags, extLevel, supportedTypes, replyMode, charModeTypes;

    u8 language, font;
    u16 altCodePage, hostCodePage, charSet, ccsid;
    std::vector<u8> s2u, u2s;
    u8 apl2;
    u16 apl2CodePage, apl2CodeSet, apl2Ccsid;

    u8 aid, lastRead;
    u8 requested[256];

    std::vector<HostCell> cells;
    std::vector<HostDisplayRow> rows;
    u32 blinkPresent;
    u32 redrawAll;  // the OIA is being rebuilt whole
    u32 cursorPosOn;
    i32 lastShownCursor;
    i32 inhibitShownEntry, inhibitShownNumber;
    wchar16 luName[9];

    I3287Job printer;  // model 12
};

// The running session; the telnet layer's Tn3270ActiveSession points at the same record.
extern I3270Session* I3270ActiveSession;
