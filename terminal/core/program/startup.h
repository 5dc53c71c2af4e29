// Start-up and shut-down of the terminal program.
#pragma once

#include "terminal/core/base/win32.h"

// The whole life of the program: start-up in its fixed order, the message loop and
// the clean-up after it. Returns the exit code (0 when start-up fails).
int RunTerminalProgram(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

i32 GetOsVersionCode();
i32 OsVersionCodeFor(u32 platformId, u32 major, u32 minor);
int AllocateGlobalBuffers();
void MainWindowExit();

// The command line as WinMain receives it: the text after the program name.
const wchar_t* CommandLineArguments(const wchar_t* fullCommandLine);
