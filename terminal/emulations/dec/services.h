// The services the DEC VT and ANSI console emulations share among their parts: the
// byte reader of their escape parsers, the C1 controls, tab stops, reports, the roots
// of their parser graph and the resets the terminal initialisation runs.
#pragma once

#include <atomic>

#include "terminal/core/base/family.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/dec/controls/controls.h"
#include "terminal/emulations/dec/controls/escape.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/base/vxtypes.h"

void ResetVtModes();

// The next byte of an escape sequence: the next host byte masked to 7 bits; control
// characters met on the way are executed; 0 when the sequence is over (a control
// cancelled it, or the reader was stopped or held).
int NextSequenceByte();

// Executes an 8-bit C1 control (0x80-0x9F) as its 7-bit ESC form.
void ProcessC1Control(u8 byte);
// HT: to the n-th next tab stop, not past the right margin.
void CursorTabForward(int count);
// Sends a report or the answerback text to the host.
void SendReport(const wchar16* text);
extern wchar16 AnswerbackText[33];

// Roots of the DEC parser graph.
extern const ParserRange DecAnsiEscapeState[];
extern const ParserRange DecVt52EscapeState[];

// The engines of the ANSI console family (its console mode; 2 marks double-width cells)
// and of AIXterm (running while above 0).
extern std::atomic<u8> AnsiConsoleMode;
extern std::atomic<i8> AixtermMode;

// The DEC VT family runs on its own engine (neither the ANSI console's nor AIXterm's).
bool DecEngineRuns();

// The ANSI console family and AIXterm start their own parsers at ESC.
void AnsiBeginEscape();
void AixtermBeginEscape();
void AixtermExecuteControl(int c);
void ScoColourEraseRows(int first, int last);
void ScoColourEraseCells(int row, int first, int last);
// PC code-page character (character-set setting 4) with its glyph set in bits 8-15;
// every byte while the ANSI console family runs, else those from 127 on.
int AnsiTranslateHostChar(int c);
// While the ANSI console family shows its alternate glyphs (SGR 11, SGR 12), the control
// code c is written as a character instead of being executed.
bool AnsiShowsControl(int c);
// The pair table of the selected national replacement set, nullptr for none.
const u8* NationalReplacementTable();

// The transmit ring of paced transmission: bytes waiting to go out one at a time.
constexpr int kTransmitRingBytes = 384;
struct TransmitRingState {
    u8* bytes;      // kTransmitRingBytes, allocated with the VT buffers
    int readIndex;  // the next byte to send
    int pending;    // bytes waiting
};
extern TransmitRingState TransmitRing;
// A buffered transmit string waits to be sent.
bool BufferedTransmitPending();
// Sends the byte at the read index through HostSendChar and moves on; the index starts
// over at 0 when the ring is empty or its end is reached. The result is always -1.
int SendNextBufferedByte();
// The VT terminal model has pages (multi-page mode).
bool TerminalModelHasPages();
bool IsVt420Class();
void SetLinesPerScreen(int n);
// The soft-font block and the buffered transmit string; false when memory ran out.
bool AllocVtBuffers();
void ResetCharsets();
void ResetGraphicRendition();
void SaveCursorState();

// The VT420-class view mode kept by the VT emulation (2 = the wheel does nothing).
int Vt420ViewMode();

// The downloaded soft font (the default glyphs until the host loads its own).
const SoftFontGlyphs* CurrentSoftFont();

// Refreshes the status-line field of the DEC key mode from the DecKeyMode setting.
void ShowDecKeyModeStatus();
// Copies the current cursor, margins, attributes and character sets into the
// status-line save area.
void InitStatusDisplayState();

// The ANSI console family's own sections (ScoConsole, AT386, AIXTerm): palettes that
// differ from their factory ones, and AIXterm's high-function-terminal mode.
void SaveScoPalette();
void SaveAt386Palette();
void SaveAixHftMode();
void SaveAixtermPalette();

// Mouse reports the host asked for: presses, releases, motion. The report itself is
// SendMouseReport of reports.h (button code 4 left, 2 middle, 1 right, 0 none).
struct MouseReportFlagSet {
    u8 presses, releases, motion;
};
extern MouseReportFlagSet MouseReportFlags;
