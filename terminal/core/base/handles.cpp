#include "terminal/core/base/handles.h"

#include "terminal/core/base/win32.h"

HINSTANCE InstanceHandle = nullptr;
HWND MainWindowHandle = nullptr;
HWND ScreenWindowHandle = nullptr;

namespace {

DWORD g_uiThread = 0;

}  // namespace

bool OnUserInterfaceThread()
{
    return g_uiThread == 0 || GetCurrentThreadId() == g_uiThread;
}

void MarkUserInterfaceThread()
{
    g_uiThread = GetCurrentThreadId();
}
