// The 5250 printer session: the start-up answer of the host, the print records and the
// print data inside them, the print job, the printer's states and its status lines, and
// the replies the host gets for each record.
#pragma once

#include <vector>

#include "terminal/core/base/vxtypes.h"

struct I5250Session;

// Printer states, shown in the status window.
enum I5250PrinterState : u16 {
    k5250Disconnected = 0,
    k5250NoPrinter = 1,
    k5250Connected = 2,
    k5250StartupMessage = 3,
    k5250Started = 4,
    k5250PrintError = 5,
    k5250Printing = 6,
    k5250Intervention = 7,
    k5250Aborting = 8,
};

// Sense codes of the print data.
constexpr u32 kSensePrintParameter = 0x08110229, kSensePrintCommand = 0x08110228, kSensePrintAborted = 0x08110200;
// Printer status codes sent to the host.
constexpr u32 kStatusOutOfPaper = 0x00030250, kStatusPrinterError = 0x00030251;
constexpr int kPrinterMessageCapacity = 127;
// A start-up response holds the header, its inner length, the code and both names.
constexpr int kStartupRecordBytes = 38;

struct I5250Printer {
    HWND window;
    u32 windowFailed;
    i32 clientHeight, clientWidth;
    u32 jobOpen;
    wchar16 message[kPrinterMessageCapacity + 1];
    u32 chain;
    u32 blockRemainder;
    u32 expectCount;
    i32 lastReportedError;
    wchar16 systemName[9], deviceName[11];
};

// The printer path of the record layer: every record received while the session is a
// printer; returns the last record's sense code (0 none).
u32 I5250HandlePrinterRecords(I5250Session* s, const u8* bytes, int count);
u32 I5250ProcessPrintData(I5250Session* s, const u8* data, int length);

bool I5250StartPrintJob(I5250Session* s);
void I5250EndPrintJob(I5250Session* s);
void I5250AbortPrintJob(I5250Session* s);
void I5250PrintBytes(I5250Session* s, const u8* bytes, int n);
void I5250SetPrintError(I5250Session* s, u32 code);
void I5250ResetPrintChain(I5250Session* s);
void I5250SetPrinterState(I5250Session* s, u16 state);
void I5250ShowPrinterState(I5250Session* s);
// Adds a status line: nothing for an empty text or one the lines already end with; 12
// lines at most remain.
void I5250AppendPrinterLine(I5250Session* s, const wchar16* text);
// A Windows printer status code for the host of the current session: 3 no session or
// code 0, 7 not a printer, 4 reported.
int I5250ReportPrinterError(i32 error);
std::vector<wchar16> I5250PrinterLogText();
void I5250ClearPrinterLog();

// The printer replies of the record layer.
void I5250PrinterAck(I5250Session* s);
void I5250PrinterAckCode2(I5250Session* s);
void I5250PrinterNegative(I5250Session* s, u32 sense);
void I5250PrinterStatus(I5250Session* s, u8 flags, u32 code);
void I5250PrinterAttention(I5250Session* s, u32 code);
