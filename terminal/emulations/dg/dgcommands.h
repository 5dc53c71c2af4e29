// The DG host-byte path: the per-byte entry, the control codes of both personalities,
// the native RS commands, the ANSI-mode escape parser, the full reset, and the printer
// controller with its byte filter.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Every received byte (the family's per-byte entry).
void DgDisplayChar(int byte);
// A control code 0x00-0x1F of the mode in force.
void DgControl(u8 byte);
// The native command after RS; the ANSI-mode sequence after ESC.
void DgNativeCommand();
void DgEscape();

// The full reset (RS F A, ESC c, the Reset Terminal command); the mode stays. The
// screen state's part of it without the bell (the emulation's start).
void DgResetTerminal();
void DgResetScreenState();
// Switches between the personalities.
void DgSelectAnsiMode();
void DgSelectNativeMode();

// The printer controller: on, off (native mode answers ACK unless a DG print screen
// runs), and each received byte while it is on.
void DgPrinterControllerOn();
void DgPrinterControllerOff();
void DgPrinterControllerFilter(int byte);
// Sets the print scope and asks for the print command (the print screen of the window).
void DgPrintCommand(u8 scope);

// The terminal-ID language byte of RS C and the two digits of CSI x.
u8 DgLanguageByte();
void DgLanguageDigits(char out[2]);
