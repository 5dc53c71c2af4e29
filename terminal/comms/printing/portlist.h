// The ports of the machine that printing can use: the serial ports the system lists
// and the ports of its installed printers. Rebuilt by every job start and availability
// check, so a port added or removed while the program runs is seen at once.
#pragma once

#include <vector>

#include "terminal/core/base/win32.h"

constexpr int kPortRecordUnits = 32;
constexpr u32 kNoPortIndex = 255;

struct PortRecord {
    wchar_t name[kPortRecordUnits];  // as the registry gives it: COM1, LPT1:, \\server\queue
    u32 index;                       // position in the list, also a combo entry's item data
    u32 kind;
};

// Rebuilds the list (mode 0) and fills the combo box when one is given (its entry
// equal to the profile's Port selected); the number of ports. In another mode only the
// serial ports and the printer ports whose name holds "LPT" are counted, for the
// auxiliary port's own list, and the printing list is kept.
int BuildPortList(HWND combo, int mode);
constexpr int kPortListAux = 1;
// The same walk into a list of the caller's own (the auxiliary port keeps its list apart
// from the printer's), the combo's entry equal to `selected` chosen; the number of ports.
int ListPorts(std::vector<PortRecord>& list, HWND combo, int mode, const wchar_t* selected);
// Appends a record (and a combo entry with `text`, else the name); the new count.
int AddPortRecord(HWND combo, const wchar_t* text, const wchar_t* name, u32 kind);
void FreePortList();
// Copies of records, so that no caller holds a pointer into a list another thread rebuilds.
bool FindPortByIndex(u32 index, PortRecord* out);
// The first record whose name contains the text.
bool FindPortByName(const wchar_t* text, PortRecord* out);
// The record whose name equals the profile's Port.
bool FindSelectedPort(PortRecord* out);
int PortCount();
// A printer port of the spooler: the name holds "LPT" or "\\".
bool IsPrinterPortName(const wchar_t* name);
