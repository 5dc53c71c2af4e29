// The DG 410/412 terminal's state: its two personalities (native DG and DG ANSI), its
// own screen of 24 rows by 162 columns cut into up to 24 windows, each showing 80 or
// 134 of its columns through a view the host can pan, the pen, the character-set slots
// and the modes. Everything here runs on the host-data thread; the painter reads the
// screen under the frame lock.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/screenstore.h"

constexpr int kDgRows = 24;
constexpr int kDgColumns = 162;
constexpr int kDgLastRow = kDgRows - 1;
constexpr int kDgLastColumn = kDgColumns - 1;
constexpr int kDgWindows = 24;
constexpr int kDgParamSlots = 256;
constexpr int kDgNormalWidth = 80, kDgCompressedWidth = 134;

constexpr u8 kDgModeOff = 0, kDgModeNative = 1, kDgModeAnsi = 2;

// Renditions of a DG cell; bit 0x08 is dim (drawn bold when the bold font is chosen).
constexpr u8 kDgBlink = 0x01, kDgReverse = 0x02, kDgUnderline = 0x04, kDgDim = 0x08;
constexpr u8 kDgWritten = 0x20, kDgProtected = 0x40;
constexpr u8 kDgLineCompressed = 0x08;

struct DgLine {
    u8 header[12];
    ScreenCell cells[kDgColumns];
    u8 lineFlags;  // kDgLineCompressed: the row shows 134 columns
};

// One entry of the window table; index -1 marks a free entry.
struct DgWindowEntry {
    i32 index, compressed, width, viewLeft, top, viewRight, bottom;
};

// The window the cursor is in, copied out of the table and back.
struct DgWindow {
    i32 index = 0, top = 0, bottom = kDgLastRow;
    i32 left = 0, right = 79;          // margins
    i32 viewLeft = 0, viewRight = 80;  // the line columns the rows show
    i32 width = kDgNormalWidth;        // 80 or 134
    i32 compressed = 0;
    i32 savedLeft = -1, savedRight = -1;  // margins kept by the alternate margins
};

// The pen every written character takes.
struct DgPen {
    u8 colour = 0x07;
    u8 rendition = 0;
    u8 protect = 0;  // kDgProtected while pen protect is on
};

// Character-set slots: set codes 0-13 (dgcharsets.h).
struct DgCharsets {
    u8 native[2];  // G0, G1
    u8 nativeGl;   // 0 or 1; GR is always G1
    u8 ansi[4];    // G0-G3
    u8 ansiGl, ansiGr;
    u8 singleShift;  // 0, 2 or 3: the next printable character only
};

// A parameter of an ANSI-mode sequence.
struct DgParamSlot {
    u32 value;
    u8 marker;
    u32 item;
};

struct DgState {
    u8 mode = kDgModeOff;
    DgLine* block = nullptr;           // the 24 lines, one block
    DgLine* rows[kDgRows] = {};        // row pointers into it, rotated by scrolling
    DgWindowEntry* windows = nullptr;  // kDgWindows entries
    DgParamSlot* params = nullptr;     // kDgParamSlots entries
    DgWindow window;
    u8 rowWindow[kDgRows] = {};  // the window entry each row belongs to
    i32 row = 0, column = 0;     // the cursor, absolute
    DgPen pen;
    DgCharsets sets{};
    // Modes.
    u8 rollDisabled = 0;
    u8 blinkDisabled = 0;
    u8 hscrollDisabled = 0;
    u8 protectNative = 0;
    u8 protectAnsi = 0;
    u8 eraseWithinMargins = 0;  // ANSI erase limits
    u8 cursorType = 2;
    u8 storedEffect = 0;  // RS F T and CSI 4 v: kept, no visible effect
    u8 eightBitNative = 0, eightBitAnsi = 0;
    u8 languageCode = 0;
    u8 languageReporting = 1;
    u8 printScopeA = 0, printScopeB = 0;  // ANSI print-scope modes
    u8 escInProgress = 0;
    // The span of the cursor's row written since it was last recorded for the painter.
    i32 pendingRow = -1, pendingFirst = 0, pendingLast = -1;
    // Printing: the controller is on; a DG print screen runs, and which cells it prints.
    u8 controllerOn = 0;
    u8 printScreenRunning = 0;
    u8 printScope = 0;
};
extern DgState Dg;

// The profile's values DG starts from (read by the reset; set by the family from the
// core's settings, and by tests).
bool DgProfileAllowsEightBit();
u8 DgProfileLanguageCode();

// The line shown on row r (0-23).
inline DgLine* DgRow(int r)
{
    return Dg.rows[r];
}
inline ScreenCell* DgCell(int r, int c)
{
    return &Dg.rows[r]->cells[c];
}
inline bool DgNative()
{
    return Dg.mode == kDgModeNative;
}
inline bool DgProtectOn()
{
    return Dg.mode == kDgModeAnsi ? Dg.protectAnsi != 0 : Dg.protectNative != 0;
}

// Entering and leaving; false when memory ran out (the emulation is then left).
bool EnterDgState();
void LeaveDgState();
// The whole start: the blocks, the colours from the profile, the screen reset; false
// when memory ran out.
bool DgEnter();
// The modes back to their defaults, the profile's 8-bit and language values read again.
void DgResetModes();
// The blank cell of the screen colour.
ScreenCell DgBlankCell();
