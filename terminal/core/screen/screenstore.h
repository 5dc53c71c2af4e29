// The character screen store shared by the character-mode emulations: one table of
// pointers to fixed-size line records. The live screen, the scroll-back history and the
// DEC pages are all slots of that table, so scrolling and paging move pointers, not text.
//
// Layout of the table: the active page's lines are slots 0..rows-1 (the live screen).
// In single-page mode slots rows..count-1 are the history, oldest line at the lowest
// slot, newest at slot count-1; in multi-page mode page p of page slot s occupies slots
// s x page length .. (s + 1) x page length - 1. Slots 1063 and 1064 are spare lines,
// 1065 the indicator status line.
//
// The host-data thread writes the store; the user-interface thread reads it to paint.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

struct ScreenCell {
    u8 ch;         // character code in the terminal's character set
    u8 colour;     // foreground index low nibble, background high nibble
    u8 rendition;  // kRend... bits
    u8 flags;      // glyph set in bits 0-2, bit 7 selected; line attributes in cell 0
};
static_assert(sizeof(ScreenCell) == 4, "cells are 4 bytes");

constexpr u8 kRendBlink = 0x01, kRendReverse = 0x02, kRendUnderline = 0x04, kRendBold = 0x08;
constexpr u8 kRendInvisible = 0x10, kRendWritten = 0x20, kRendProtected = 0x40;
constexpr u8 kGlyphSetMask = 0x07, kCellSelected = 0x80;
// Line attributes, kept in byte 3 of cell 0.
constexpr u8 kLineDoubleWidth = 0x08, kLineTopHalf = 0x10, kLineBottomHalf = 0x20, kLineBlinks = 0x40;
constexpr u8 kLineSizeBits = 0x38;
constexpr u8 kLineAttrBits = 0x78;

constexpr int kStoreColumns = 132;  // columns the store uses
constexpr int kLineCells = 134;     // the last two are slack for emulations with own records

struct ScreenLineRecord {
    u8 header[12];  // the store never writes it; emulations with own records use it
    ScreenCell cells[kLineCells];
};
static_assert(sizeof(ScreenLineRecord) == 548, "line records are 548 bytes");

constexpr int kLineTableSlots = 1066;
constexpr int kScreenLineSlots = 1063;  // screen, pages and history
constexpr int kSpareLine1 = 1063;
constexpr int kSpareLine2 = 1064;
constexpr int kStatusLineSlot = 1065;

constexpr int kMinLineCount = 64;  // a smaller history setting is raised to this
constexpr int kMaxLineCount = 999;
constexpr int kDefaultLineCount = 528;
constexpr int kMaxPages = 6;
constexpr int kMinPageLength = 24;
constexpr int kMaxPageLength = 144;
constexpr int kMaxVtRows = 64;

struct PageMargins {
    u16 left, top, right, bottom;
};

// Multi-page mode only: page slot 0 is the active page.
struct ScreenPageTable {
    u32 pageId[kMaxPages];
    u32 pageCount;
    PageMargins saved[kMaxPages];
};

struct ScreenStoreState {
    ScreenLineRecord** lines = nullptr;    // kLineTableSlots pointers
    i32 lineCount = 0;                     // records in slots 0..lineCount-1
    i32 pageLength = 0;                    // lines per page (the rows outside multi-page mode)
    i32 rows = 0;                          // text rows on screen
    i32 maxLineCount = kDefaultLineCount;  // screen plus history ("HistoryBuffer")
    i16 historyCount = 0;                  // lines now in the history
    i16 historyTarget = 0;                 // the count to return to after the user paged back
    i16 historyCapacity = 0;
    i16 firstLine = 0;         // first displayed line of the page (multi-page view)
    i32 horizontalOffset = 0;  // first displayed column when a line is wider than the window
    i16 cursorRow = 0, cursorColumn = 0;
    i16 top = 0, bottom = 23, left = 0, right = 79;  // margins, 0-based
    i16 lastColumn = 79;                             // 79 or 131
    u32 multiPage = 0;
    u8 pageCoupling = 1;                // "pcoupled": making a page active also displays it
    u8 horizontalCoupling = 1;          // "hcoupled": the view follows the cursor sideways
    u8 verticalCoupling = 1;            // "vcoupled": the view follows the cursor within a page
    i32 pageShown = 0;                  // page id of the page displayed
    std::atomic<u8> lineOwner{0};       // an emulation has hung its own records into the table
    std::atomic<u8> rearranging{0};     // line pointers are being moved
    u8 scrollBarOn = 1;                 // without the scroll bar there is no history to scroll
    i32 windowColumns = kStoreColumns;  // columns the window shows
    ScreenPageTable pages{};
};
extern ScreenStoreState Screen;

// Current drawing attributes of the character writer and of blanks.
extern u8 CurrentColour;  // background << 4 | foreground
extern u8 CurrentRendition;
extern u8 CurrentFlags;              // glyph set of the next character
constexpr u8 kDefaultColour = 0x07;  // foreground 7 on background 0

// Allocation and sizing; false when memory ran out (nothing half-made is left behind).
bool AllocScreenStore();
bool AllocScreenTable();
void FreeScreenTable();
void FreeScreenLines();
void ClearScreenLineTable();
void ClearSpareLinePointers();
bool SetScreenLineCount(int n);
bool AllocSpareLines();
bool SetScreenRowCount(int n);
bool ResizeScreenLines(int n);
bool SetScreenPageLength(int n);
void SetPageLengthIfChanged(int n);
// The running family's terminal model decides between pages and one page with its
// history (after a model change by the host or in Setup): the store is laid out anew.
void ApplyPageModeSetting();
void SetScreenColumns(int n);
// The maximum line count from any source, clamped to 64..999 so that the screen can
// never be left without line records.
int ClampLineCountSetting(int lines);
void SetMaximumLineCount(int lines);
// The history capacity from the sizes; resets the history count, target and view.
void RecomputeHistoryCapacity();

// Blanking in the current colours.
void BlankLineCells(ScreenLineRecord* line);
void BlankAllScreenLines();
// The line pointers of slots first..last move by one: down, the line of `last` comes
// round to `first`; up, the line of `first` comes round to `last`. Returns the line that
// came round (the one line of a one-slot range); nullptr without a table or slots.
ScreenLineRecord* RotateLineSlots(int first, int last, bool down);
void BlankLineReverseColours(int slot);
ScreenCell BlankCell();

// Pages (multi-page mode).
void ShowScreenPage(int page);
void NormalisePageOrder();
void ResetSavedPageMargins();
int ActivePage();

// The store keeps pages when the running terminal model has them.
bool FamilyWantsPages();
// The reset of the VT-family state that the terminal initialisation performs
// (InitialiseTerminal in core/session/terminalinit.h).
void ResetTerminalState(int full);
extern std::atomic<u8> TerminalInitialised;

// The active emulation's sizes (its own while a family with its own store runs).
void GetScreenDimensions(int* rows, int* pageLength, int* lineCount);

// The line in a table slot, or nullptr.
ScreenLineRecord* LineAt(int slot);
