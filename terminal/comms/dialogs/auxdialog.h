// The Auxport command's dialog: chooses the auxiliary port and its serial line.
#pragma once

#include "terminal/core/base/win32.h"

// 1 after OK (the Port stored), 0 after Cancel.
INT_PTR OpenAuxPortDialog(HWND owner);
