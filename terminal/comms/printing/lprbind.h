// The binding of the LPR client module: print jobs for a network printer go to
// lprspool.DLL, loaded on first use from WorkDir, else from the program's directory;
// all five of its entry points must be there, or no LPR job starts.
#pragma once

#include "terminal/core/base/win32.h"

HMODULE LoadLprModule();
HMODULE TryLoadLprModule(const wchar_t* directory, int length);
void UnloadLprModule();
int OpenLprJob();
int LprAddByte(u8 b);
int CloseLprJob();
bool LprRequestOpen();
// The module's debug window, owned by the user-interface thread.
void ShowLprDebugWindow();
