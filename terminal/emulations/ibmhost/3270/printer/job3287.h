// The 3287 printer's job, page format, print line and status as the 3270 session record
// keeps them, and the operations on the job and the status.
#pragma once

#include <vector>

#include "terminal/core/base/vxtypes.h"

constexpr u8 kPrintTabMark = 0x54;  // 'T' in the mark arrays
constexpr int kMaxPrintPosition = 132;
constexpr int kMaxPageLines = 102;
// The print line holds one line up to the widest print position; text under print
// bypass, which never wraps, is written out whenever the line is full.
constexpr int kPrintLineCapacity = kMaxPrintPosition;
constexpr int kPrinterHostTextCapacity = 127;

// Printer states, shown in the status window.
enum I3287State : u16 {
    k3287Disconnected = 0,
    k3287NoPrinter = 1,
    k3287Connected = 2,
    k3287Printing = 3,
    k3287Aborted = 4,
    k3287HostText = 5,
};

struct I3287Job {
    u32 open;
    HWND window;
    u32 windowFailed;
    i32 clientWidth, clientHeight;
    u16 state;
    wchar16 hostText[kPrinterHostTextCapacity + 1];
    i32 hostTextLength;

    // Page format. Print positions and lines are 1-based; the mark arrays are indexed
    // by them (index 0 unused).
    i32 mpp, leftMargin, rightMargin;
    u8 horizontalTabs[kMaxPrintPosition + 1];
    i32 linesPerPage, topMargin, bottomMargin;
    u8 verticalTabs[kMaxPageLines + 1];
    u8 lineDensity;

    // The print line and where it stands: column 0-based, line 0-based on the page.
    i32 column, line;
    wchar16 printLine[kPrintLineCapacity];
    u32 countdownRunning;                 // the end-of-job countdown runs
    u32 countdownStart, countdownLength;  // milliseconds

    // The bypass sequences of this print, as host bytes (NUL-ended).
    u8 bypassStart[150], bypassEnd[150];
    u32 bypassOn;  // a start sequence is set: lines are not wrapped or ended
};

struct I3270Session;

// Opens the print job when none is open; false when no printer could be opened (the
// state is then "No Printer").
bool I3270OpenPrintJob(I3270Session* s);
// Ends the job (and the countdown); the state becomes "Connected".
void I3270EndPrintJob(I3270Session* s);
// Cancel Printing on a running job.
void I3270AbortPrintJob(I3270Session* s);
void I3270StopJobCountdown(I3270Session* s);
void I3270ReloadJobCountdown(I3270Session* s);
// The idle step: the countdown ran out, so the job ends.
void I3270JobCountdownStep(I3270Session* s);
// Printer data of a kind (1 SCS, 3 the 3270 data stream) arrives: a change of kind ends
// the job; a job is opened when none is. False when no printer is available.
bool I3270BeginPrintData(I3270Session* s, int kind);

void I3270SetPrinterState(I3270Session* s, u16 state);
void I3270ShowPrinterState(I3270Session* s);
// Adds a line to the status log: nothing for an empty text or one the log already ends
// with; 13 lines at most remain.
void I3270AppendPrinterLog(I3270Session* s, const wchar16* text);
// A character of text the host sent in character mode (its printer messages).
void I3270PrinterHostText(I3270Session* s, wchar16 ch);
// The log as the window shows it (any thread).
std::vector<wchar16> I3270PrinterLogText();
void I3270ClearPrinterLog();
