// What the window and program events of the user's own key definitions do on the
// platform. Engines reach the window system only through these.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Brings the top-level window of that class to the top; false when there is none.
bool BringWindowOfClassToTop(const wchar16* className);
// Starts a program from a command line (the path is searched, arguments kept); 0 when
// it started, else the system error number.
u32 StartProgramCommand(const wchar16* commandLine);
// The character the keyboard layout gives a virtual key without shift (MapVirtualKeyW
// with MAPVK_VK_TO_CHAR): upper case for letters; 0 when it gives none.
int VirtualKeyToCharacter(int virtualKey);
