// Emulator-side printing: the interface every emulation, the host path and the menu
// commands print through. The print mode is 0 off, 1 auto print, 2 printer controller,
// 3 print screen, 4 print buffer, 6 a Wyse print mode.
#pragma once

#include "terminal/comms/printing/printcharset.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/autoprint.h"

struct ScreenLineRecord;

// Printer-controller mode: received bytes go to the printer, not the screen.
bool PrinterControllerOn();
int CurrentPrintMode();
bool PrinterPortOpen();
int PrinterPortReadByte();  // -1 when none
// One received byte in printer-controller mode.
void PrinterControllerByte(u8 byte);
// A print mode is running (keys that would send then wait or cancel it).
bool PrintingInProgress();
// Modes 1, 2 and 6 pass host data to the printer (read by the menu update).
bool PrintPassFlag();
// 1 when a printer can be used (media copy asks first).
int CheckPrinterAvailable();
// Print mode 2 (printer controller), 1 (auto print), 0 (off, the job finished).
void StartPrinterController();
// Print mode 6: the printer controller whose bytes the emulation also shows.
void StartPrintWithDisplay();
void StartAutoPrint();
void StopPrinting();
// Off at once: a port that blocks is given up instead of drained.
void StopPrintingNow();
void ClearPrintMode();
void SetPrintModeFlags();
void ResetControllerSequence();
// Print screen and print buffer: a job, then one posted command 1047 per line; 0 when
// no job could be opened.
int StartPrintScreen();
int StartPrintBuffer();
void PrintScreenLine(u32 line);
// One step of a print screen whose lines a family keeps elsewhere (SCO Console's
// virtual screens): `line` is printed and step `next` posted; a null line ends the run.
void PrintScreenLineRecord(const ScreenLineRecord* line, u32 next);
// A screen line in a print line format (0-4), ended by CR LF.
void FormatPrintLine(const ScreenLineRecord* line, int format);
void PrintString(const char* text);
void PrintChar(u16 ch);

// The print line format of the text print commands. It has no stored value: 4 (the
// host's characters) leaves no prefix on a page and translates for byte printers.
constexpr u8 kPrintHostCharacters = 4;
extern u8 PrintLineFormat;

// The menu commands: 1041 cancel printing, 1057 auto print on or off, 1072 eject page
// (1040, print screen, asks for its method: PrintScreenCommand in printerdialogs.h).
void CancelPrintCommand();
void AutoPrintCommand();
void EjectPageCommand();

// At the program's end: a running or delayed job is finished, the LPR module unloaded.
void ShutdownPrinting();
