// The one buffer every VT report is built in before it is sent. Unit 0 is the lead-in
// (CSI or DCS, sent by the C1 rule as one 8-bit byte or as ESC and a letter); the text
// follows and a zero unit always ends it. Every append is bounded: the buffer is sized
// for the longest report there is (the tab-stop report with a stop in every column),
// and a report that would still not fit is marked and never sent cut short.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr wchar16 kCsiUnit = 0xFF9B;
constexpr wchar16 kDcsUnit = 0xFF90;
constexpr wchar16 kStUnit = 0xFF9C;
constexpr wchar16 kApcUnit = 0x9F;

constexpr int kReportBufferUnits = 600;

struct ReportBufferState {
    wchar16 units[kReportBufferUnits];
    int length;   // units before the ending zero
    u8 overflow;  // an append did not fit: the report is not sent
};
extern ReportBufferState ReportBuffer;

// Starts a report with the lead-in unit (0: none).
void BeginReport(wchar16 leadIn);
void AppendUnit(wchar16 unit);
// n in decimal, no sign, no leading zeros.
void AppendDecimal(u32 n);
void AppendWideText(const wchar16* text);
void AppendText(const char* text);
// Removes the last unit (the trailing separator of a list).
void DropLastUnit();
// Sends the buffer through SendReport unless it overflowed.
void SendReportBuffer();
int CountWideChars(const wchar16* text);
