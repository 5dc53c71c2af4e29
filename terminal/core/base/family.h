// The emulation interface. Each family of emulations fills one FamilyHooks table and
// registers it (terminal/emulations/families.cpp lists the families of this build; a
// test may register a family of its own). The core keeps one pointer to the family that
// runs and calls it through these entries; it never names a family. An entry a family
// leaves null gets the core's behaviour for the shared screen store, which is what the
// DEC VT family runs on; the comment of each entry says what that is.
//
// Threads: the host-data thread calls the host, sending, screen and key entries; the
// user-interface thread calls the switch, command, display and key-message entries;
// either may call the painting entries (under the screen's paint lock).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/vxtypes.h"

struct ScreenCell;
struct SelectionArea;
struct tagMSG;
struct FamilySetup;
struct HotspotTable;

// The downloaded soft font the generic painter draws glyph set 1 from: 20 rows of 16
// bits per character 32-159 (at (character - 32) AND 127), and the font's matrix size.
struct SoftFontGlyphs {
    const u16* rows;
    int matrixWidth, matrixHeight;
};

// Mouse reports a host may ask for.
constexpr u8 kMouseReportPress = 1, kMouseReportRelease = 2, kMouseReportMotion = 4;

// What a family with a screen of its own hands painting, geometry and the scroll bar.
// A family that writes the shared screen store has none (FamilyHooks::display null) and
// is painted by the core's own painters.
struct DisplayHooks {
    // Repaints rows r0..r1, columns c0..c1 (the family clamps them itself); null paints
    // nothing.
    void (*repaintRegion)(int r0, int c0, int r1, int c1) = nullptr;
    // Paints one row segment; `cells` as PaintRowSegment gets them; null paints nothing.
    void (*paintRow)(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags) = nullptr;
    // Draws or erases the family's own cursor (the argument of ToggleTextCursor); null
    // inverts the store's cursor cell.
    void (*drawCursor)(int argument) = nullptr;
    // Where the family's text cursor is, for the core's caret: window row and column and
    // its style (0-3 as the cursor setting: underline or block, blinking or steady);
    // false while it shows none. The frame then draws the caret over the family's
    // screen as over the store's. Null: the family draws its cursor itself
    // (drawCursor) or has none.
    bool (*textCursor)(int* row, int* column, int* style) = nullptr;
    // A family that keeps its cursor out of the core's caret hides and shows it here
    // (under the caret lock); with neither set the core's caret is used.
    void (*hideCursor)() = nullptr;
    void (*showCursor)() = nullptr;
    // Rows the family shows below its screen, and extra pixels; null: none.
    int (*extraRows)(int* extraPixels) = nullptr;
    // Columns of the terminal area; null: the store's.
    int (*columns)() = nullptr;
    // Palette index of the screen background; null: the store's screen colour.
    int (*backgroundIndex)() = nullptr;
    // The scroll bar: range maximum and thumb position (null: 0), and a scroll command
    // (null: nothing to scroll).
    int (*scrollRangeMax)() = nullptr;
    int (*scrollThumb)() = nullptr;
    void (*scroll)(int code, int position) = nullptr;
    // The family's screen sizes; null: the store's.
    void (*dimensions)(int* rows, int* pageLength, int* lineCount) = nullptr;
    // True while the family's screen is being rebuilt and must not be painted.
    bool (*paintingHeld)() = nullptr;
    // The screen as the whole-program tests read it (VXNT_TEST_SCREEN): appends a line
    // "cursor <row> <column> emulation <id>", then every row as copying shows it. Null:
    // the rows selectionRow gives (the store's without it).
    void (*screenText)(std::string& out) = nullptr;
    // Selection and copy (terminal/core/screen/selectiontext.h): fills the selectable
    // area, false when nothing is selectable; gives the cells of selection row `row`
    // from the one shown at window column 0, the cells that follow in the row (`columns`)
    // and its cell width in pixels (0: the screen's). The core writes the selection marks
    // into these cells under the frame lock. Null: nothing can be selected.
    bool (*selectionArea)(SelectionArea* area) = nullptr;
    ScreenCell* (*selectionRow)(int row, int* columns, int* cellWidth) = nullptr;
    // The character a cell of the family's screen shows, for copying and the dump.
    // Null: the cell's byte.
    u16 (*cellChar)(const ScreenCell& cell) = nullptr;
    // The cursor the dump reports, as window row and column; null: the store's.
    void (*cursorPosition)(int* row, int* column) = nullptr;
};

// What the telnet engine asks of the family of the emulation in use. A family whose
// host data travels in records also gives the telnet engine its session's telnet view
// (terminal/comms/telnet/recordsession.h).
struct TelnetHooks {
    // The TERMINAL-TYPE name by the family's model, 8-bit, into `buffer`; returns its
    // length. Null: the emulation table's name.
    int (*terminalType)(char* buffer, int capacity) = nullptr;
    // True while a telnet BREAK must be followed by neither the timing mark nor the CR
    // (block modes, local editing). Null: never.
    bool (*breakEndsInput)() = nullptr;
    // One complete record received up to IAC EOR; the bytes are valid during the call.
    void (*record)(const u8* bytes, int length) = nullptr;
    // The session starts again for a model (a new connection, or the host named the
    // device type).
    void (*resetSession)(int model) = nullptr;
    // The printer session's state (2 connected, 0 not) and the end of its print job.
    void (*setPrinterState)(int state) = nullptr;
    void (*endPrintJob)() = nullptr;
    // The telnet modes changed: the record or block mode went on or off (the screen is
    // erased), the model or terminal type is shown again, the indicators redrawn.
    void (*recordModeChanged)(bool on) = nullptr;
    void (*modelShown)() = nullptr;
    void (*indicatorsChanged)() = nullptr;
    // The LU name the host connected the session to.
    void (*luNameShown)(const wchar16* name) = nullptr;
    // A record replayed to the host goes out as the session's own output (a TN3270E
    // header added). Null: it is sent as it is, ended by IAC EOR.
    void (*replayRecord)(const u8* bytes, int length) = nullptr;
};

// What a family hands the core.
struct FamilyHooks {
    const char* name = "";
    u32 emulations = 0;  // EmulationBit of every id the family runs

    // ---- Host data (host-data thread) ----
    // The family's own reader: the next input unit, or -1 when none. Null: the core's
    // generic reader (HostReadByte: replay, keyboard, connection, idle steps).
    int (*readByte)() = nullptr;
    // The per-byte entry: every byte of the generic reader, or every value of the
    // family's own reader (-1 included, which it ignores). Null: the byte is dropped.
    void (*processChar)(int value) = nullptr;
    // Runs of received printable bytes (0x20-0x7E) handed over at once: the family writes
    // the leading ones it can take as processChar would, one after another, and returns
    // how many (0: the first goes to processChar). Null: processChar takes every byte.
    int (*processText)(const u8* bytes, int n) = nullptr;
    // Families that receive whole records: their own receiving loop, run once per turn
    // of the host-data thread; -1 ends the thread. Set, it replaces readByte and
    // processChar.
    int (*commLoop)(int argument) = nullptr;
    // Printer-controller mode: the family takes the received byte itself. Null: the
    // core's printer-controller filter.
    void (*printerControllerChar)(int value) = nullptr;
    // A byte just received, adapted to the family (parity, 8-bit controls); -1 drops it.
    // Null: unchanged.
    int (*filterReceivedByte)(int byte) = nullptr;
    // The filter leaves every byte 0x01-0x7F as it is: runs of such bytes reach the
    // family without it (the reader hands them out straight from the connection's
    // buffer).
    bool filterPassesAscii = false;
    // Work the family does when the received data is used up (rows still to paint).
    // Null: the shared store's pending row span is painted.
    void (*idleWork)() = nullptr;
    // The family takes its key events itself: the generic reader hands it no keyboard
    // bytes.
    bool readsOwnKeyboard = false;
    // The keyboard side of such a family, asked where the generic reader takes typed
    // input: a typed byte to process as received data (shown locally), or -1. Null:
    // nothing is typed through the reader.
    int (*keyboardByte)() = nullptr;

    // ---- Sending (host-data thread) ----
    // Typed characters go to the family instead of the line. Null: the core's send rules.
    void (*sendChar)(u16 c) = nullptr;
    // True while typed bytes and key strings stay on the screen instead of going out
    // (local editing, block modes). Null: never.
    bool (*typingStaysLocal)() = nullptr;
    // True while typed bytes go to the host and are also handed to the family as data
    // (a character mode shows what it sends). Null: only the local-echo setting does.
    bool (*typingEchoes)() = nullptr;
    // 8-bit controls go out as they are instead of as ESC and a letter.
    bool sendsC1Raw = false;
    // True while the keyboard is inhibited and keys must wait. Null: never.
    bool (*keyboardInhibited)() = nullptr;
    // True when a key is refused now (a keyboard the host locked loses it). Null: never.
    bool (*keysRefused)() = nullptr;
    // Typed input the family still has to send one unit at a time. Null: none.
    bool (*transmitPending)() = nullptr;
    // Runs one step of a running keystroke macro; false when none runs.
    bool (*playKeystrokeMacro)() = nullptr;

    // ---- Screen (host-data thread) ----
    // Cursor home. Null: the store's cursor to row 0, column 0.
    void (*homeCursor)() = nullptr;
    // The family keeps its own cursor position: the store's cursor cell is left alone.
    bool movesOwnCursor = false;
    // Rows the core blanked by scrolling take the family's erase colours. Null: blanks.
    void (*eraseRows)(int firstRow, int lastRow) = nullptr;
    // The family's status line in the store: dropped, and drawn again after the last
    // row is painted. Null: the family has none.
    void (*invalidateStatusLine)() = nullptr;
    void (*refreshStatusLine)() = nullptr;
    // The cursor field of the family's status line, refreshed with the status bar's
    // about once a second (host-data thread). Null: none.
    void (*statusCursorTick)() = nullptr;
    // The text the family's status line shows, trailing blanks removed, into `buffer`;
    // returns its length. Null: no status line (the test screen dump reads it).
    int (*statusLineText)(wchar16* buffer, int capacity) = nullptr;
    // The soft font of glyph set 1. Null: the family has none (blanks are drawn).
    const SoftFontGlyphs* (*softFont)() = nullptr;
    // True while the family keeps the scroll bar hidden (a host turned it off). Null:
    // never.
    bool (*scrollBarOff)() = nullptr;
    // False while the mouse wheel must not pan the view. Null: it pans.
    bool (*wheelPans)() = nullptr;
    // Mouse reports the host asked for (kMouseReport... bits; null: none) and the report
    // itself (button code 4 left, 2 middle, 1 right, 0 none).
    u8 (*mouseReports)() = nullptr;
    void (*sendMouseReport)(int button, int event, int row, int column) = nullptr;
    // The family lays out its own fonts: a refit of the terminal area leaves them.
    bool keepsFontOnRefit = false;
    // A family with a screen of its own; null for the shared screen store.
    const DisplayHooks* display = nullptr;

    // ---- The switch and the frame's commands (user-interface thread) ----
    // Start and stop. activate gets the emulation id; deactivate releases what it took.
    void (*activate)(u8 id) = nullptr;
    void (*deactivate)() = nullptr;
    // A switch between two emulations of the family: nothing is torn down.
    void (*reapply)(u8 id) = nullptr;
    // Lays out the status bar for the family.
    void (*layoutStatusBar)(HINSTANCE instance) = nullptr;
    // The emulation's name in the core's status-bar layout (field 7409). Null: the VT
    // names, blank for any other emulation.
    const wchar16* (*statusBarName)(u8 id) = nullptr;
    // The scroll bar is shown before the family starts.
    bool showsScrollBar = false;
    // The terminal area is laid out again for the family's fonts after it starts.
    bool refitsOnStart = false;
    // Clear Screen; null: the shared store's clear. After the family's own clear the
    // scroll bar is refreshed unless keepsScrollBarOnClear.
    void (*clearScreen)() = nullptr;
    bool keepsScrollBarOnClear = false;
    // Reset Terminal. Null: nothing is reset.
    void (*reset)() = nullptr;
    // The idle step's display refresh; null: the cursor position field about once a
    // second.
    void (*idleRefresh)() = nullptr;
    // The blink tick; null: the store's blinking runs are repainted.
    void (*redrawBlinking)() = nullptr;
    // Print Screen, Print Buffer and one step of either (posted command 1047). Null:
    // nothing is printed.
    void (*printScreen)() = nullptr;
    void (*printBuffer)() = nullptr;
    void (*printStep)(u32 value) = nullptr;
    // The national replacement set a 7-bit printer prints in: pairs {7-bit code, the
    // character it shows}, 0-ended. Null, or a null result: none.
    const u8* (*nationalSet)() = nullptr;
    // True while a print screen covers only the scrolling region (the DEC print
    // extent). Null: the whole screen.
    bool (*printExtentIsRegion)() = nullptr;
    // True while a window of the family's own (a printer session's) takes the keys and
    // the mouse instead of the terminal.
    bool (*windowTakesKeys)() = nullptr;
    // A message for the family's modeless dialog; true when the dialog took it.
    bool (*dialogMessage)(tagMSG* message) = nullptr;
    // The family's own notifications posted to the main window (WM_APP + 2, + 3).
    void (*windowMessage)(u32 message, std::intptr_t argument) = nullptr;

    // ---- Keys ----
    // One special key with its shift state (host-data thread). Null: the key does
    // nothing.
    void (*dispatchKey)(int keyCode, int shift) = nullptr;
    // A typed character in the family's host character set, -1 when it has none. Null:
    // unchanged.
    int (*translateTypedChar)(int c) = nullptr;
    // A key message on the user-interface thread before the shared key filter: -1 leaves
    // it to the filter, else the filter's result (1 taken, 0 translated as usual).
    int (*keyMessage)(tagMSG* message, bool isPress) = nullptr;
    // Caps Lock or Num Lock changed (user-interface thread).
    void (*lockKeysChanged)(bool capsChanged, bool numChanged) = nullptr;
    // A typed character the family acts on as a key; true when it took it (it sends the
    // characters typed before it first).
    bool (*takeTypedChar)(int c) = nullptr;
    // True while typed DC1 and DC3 go to the host as data instead of releasing and
    // holding the screen under XON/XOFF flow control.
    bool (*typedXonXoffIsData)() = nullptr;
    // The 122-key host keyboard: 0 not used; 1 as a character-mode host terminal uses
    // it (two of its extra keys, Alt with the left Ctrl as Reset, the right Ctrl as the
    // keypad separator); 2 every extra key, the Ctrl keys as Enter and Reset (the
    // block-mode hosts).
    u8 hostKeyboardKeys = 0;
    // The built-in definitions of the key captions an emulation of the family shows
    // (terminal/input/hotspots/hotspotwords.h), which mouse hot spots act on. Null, or a null
    // result: the core's own table for the emulation, if any.
    const HotspotTable* (*hotspotTable)(u8 emulation) = nullptr;

    // ---- Settings (called for every registered family) ----
    // The family's own sections of the profile: read after the shared sections, written
    // with them (fullReload 1 while a full reload is in progress).
    void (*loadSettings)() = nullptr;
    void (*saveSettings)(int fullReload) = nullptr;
    // After every pass of a profile load.
    void (*profileLoaded)() = nullptr;
    // The attribute colours were loaded or reset: the family's current colours follow.
    void (*coloursChanged)() = nullptr;
    // Puts the family's own colour palette into the terminal palette; false when it has
    // none running (the VT palette is used then). Null: the VT palette.
    bool (*applyPalette)() = nullptr;

    // ---- Terminal initialisation (called for every registered family) ----
    // The family's buffers (a full initialisation); false when memory ran out.
    bool (*allocateBuffers)() = nullptr;
    // The family's modes back to their power-on state, before the profile is read.
    void (*resetModes)() = nullptr;
    // True when the store is to keep several pages for the family's terminal model.
    bool (*multiPage)() = nullptr;
    // After the store is sized: character sets, rendition, saved cursor.
    void (*initialised)() = nullptr;

    const TelnetHooks* telnet = nullptr;

    // ---- Setup ----
    // The family's Setup pages and its part of the Setup working copy
    // (terminal/settings/setup/setupfamily.h); null: it adds none.
    const FamilySetup* setup = nullptr;
};

// Registers a family for the ids of family->emulations; an id another family already
// runs stays with that one. Returns false when the table is null or claims no id.
bool RegisterFamily(const FamilyHooks* family);
// Takes a family's ids back (a test's family when the test ends).
void UnregisterFamily(const FamilyHooks* family);
// The family that runs emulation `id`, nullptr when none in this build does.
const FamilyHooks* FamilyFor(u8 id);
// Calls `visit` for each registered family once.
void ForEachFamily(void (*visit)(const FamilyHooks& family));

// The running family: set by the emulation switch; the default emulation's family while
// the switch has started none (and whenever the switch stopped one).
const FamilyHooks& ActiveFamily();
void SetActiveFamily(const FamilyHooks* family);
// True when the running family is the one that runs `id` (a stale id runs nothing).
bool FamilyRuns(u8 id);
// True while a window of the running family's own has the keys and the mouse.
bool FamilyWindowTakesKeys();
// True while the running family's own screen is being rebuilt and must not be painted.
bool FamilyPaintingHeld();

// The emulation that really runs, as one id per family: the family's lowest id (VT52
// for the DEC VT family, and VT52 too while no family runs).
u8 GetEmulationFromFlags();
// The DEC VT family runs, or no family at all: the shared store's own behaviour.
bool VtFamilyRunning();
