// What the terminal core uses of the DEC VT and ANSI console emulations: their mode
// bytes and settings, the byte reader of their escape parsers, the C1 controls, tab
// stops, reports, the roots of their parser graph and the resets the terminal
// initialisation runs.
#pragma once

#include "terminal/core/host/escparser.h"
#include "terminal/core/base/vxtypes.h"

// The VT mode bytes and the VT settings the core reads. Settings come from the profile;
// the host changes the modes. The character set ("upss"), display-controls mode
// ("dspctrl") and screen-display-off state are PaintSettings', since the painter reads
// them too; the local editing mode is VtLocalEditFlag.
struct VtModeFlagSet {
    u8 ansiMode = 1;          // 0 while a VT emulation runs in VT52 mode
    u8 autoWrap = 1;          // "autowrap"
    u8 insertMode = 0;
    u8 newLineMode = 0;       // "autonl": LF, VT and FF also return the carriage
    u8 autoLineFeed = 0;      // "autolf": CR also feeds a line
    u8 reverseWrap = 0;       // "bswrap"
    u8 lrMarginModeOff = 1;   // 0 = left/right margin mode on
    u8 hostKeyboardLock = 0;
    u8 colourByClass = 0;     // "autocolour"
    u8 cursorOrigin = 1;      // "cursorg": 0 addresses the cursor relative to the margins
    u8 rightToLeft = 0;       // "cursr2l"
    u8 regionFeedsHistory = 0; // "savescrolled"
    u8 displayErrors = 0;     // "disp_errors": CAN, SUB and DEL shown as error glyphs
    u8 suspended = 0;         // 1 drops received bytes
    u8 nationalSet = 0;       // national replacement set index
    u8 designation[4] = {1, 1, 6, 6};  // G0-G3: ASCII, ASCII, Latin-1, Latin-1
    u8 set96[4] = {0, 0, 1, 1};
    u8 glSet = 0;             // G0 or G1 in GL
    u8 grSet = 2;             // the set in GR
    i8 singleShift = -1;      // G2 or G3 for the next character, -1 none
};
extern VtModeFlagSet VtMode;
void ResetVtModes();
bool VtLocalEditing();

// The local editor of the local editing mode; entries stay null until it exists, and
// the core operation runs instead.
struct LocalEditorHooks {
    void (*putChar)(int c) = nullptr;
    void (*insertLines)(int n) = nullptr;
    void (*deleteLines)(int n) = nullptr;
    void (*insertChars)(int n) = nullptr;
    void (*deleteChars)(int n) = nullptr;
    void (*tabForward)() = nullptr;
    void (*lineFeed)() = nullptr;
    void (*reverseIndex)() = nullptr;
    void (*cursorHome)() = nullptr;
    void (*wrapToNextLine)() = nullptr;
};
extern LocalEditorHooks LocalEditor;

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

// The ANSI console family and AIXterm start their own parsers at ESC.
void AnsiBeginEscape();
void AixtermBeginEscape();
void AixtermExecuteControl(int c);
void ScoColourEraseRows(int first, int last);
void ScoColourEraseCells(int row, int first, int last);
// PC code-page character (character-set setting 4) with its glyph set in bits 8-15.
int AnsiTranslateHostChar(int c);
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
void InvalidateStatusLine();
void RefreshStatusLine();

// The VT420-class view mode kept by the VT emulation (2 = the wheel does nothing).
int Vt420ViewMode();

// Local editing mode of the VT100/VT500 emulations (1 = on): BREAK then sends no more.
extern u8 VtLocalEditFlag;
// The VT terminal model 0-14 (vt100 ... vt525), naming the telnet terminal type.
extern u8 TerminalId;

// The downloaded soft font: 20 rows of 16 bits per character 32-159 (at (character -
// 32) AND 127), drawn from the font's matrix size; the default glyphs until the host
// loads its own.
struct SoftFontGlyphs {
    const u16* rows;
    int matrixWidth, matrixHeight;
};
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
constexpr u8 kMouseReportPress = 1, kMouseReportRelease = 2, kMouseReportMotion = 4;
