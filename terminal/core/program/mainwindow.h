// The main window: creation with its children, the post-creation initialisation of the
// terminal, and the window procedure that is the user-interface thread's switchboard.
#pragma once

#include "terminal/core/base/win32.h"

extern HWND MainWindowHandle;

// Gate events shared with the host-data thread. The activity event is set on every
// message of the main window; the switch and profile gates are reset while the
// user-interface thread switches emulation or reloads a profile; the key auto-repeat
// gate is set while one repeated key is in flight.
extern HANDLE ActivityEvent;
extern HANDLE SwitchGateEvent;
extern HANDLE ProfileGateEvent;
extern HANDLE KeyRepeatGateEvent;

struct ScreenMetrics {
    int borderX, borderY, captionHeight, menuHeight, scrollBarWidth;
    int dialogFrameX, dialogFrameY, screenWidth, screenHeight;
    int usableWidth, usableHeight;  // the screen less the frame borders
    LONG dialogBaseUnits;
    int driverVersion, bitsPerPixel, planes, colours, paletteSize;
    bool paletteDevice;
    bool usePalette;
};
extern ScreenMetrics Metrics;

// Window placement remembered with the profile.
extern u32 RememberedWindowState;  // 0 normal, 1 maximised, 2 minimised
struct SavedRect {
    i32 x, y, width, height;
};
extern SavedRect SavedWindowRect;

extern HCURSOR WaitCursor, ArrowCursor, MouseCursor;
extern UINT WheelRollMessage;

int CreateMainWindow(HINSTANCE instance, HINSTANCE previous, int showCommand);
ATOM RegisterMainClass(UINT style, HINSTANCE instance, WNDPROC procedure, const wchar_t* className,
                       const wchar_t* iconName);
void ReadSystemMetrics();
DWORD MainWindowStyle();
int InitMainWindow(HINSTANCE previous, HINSTANCE instance, HWND window);
int RegisterScreenClass(HINSTANCE previous, HINSTANCE instance, HWND window);
int InitTerminalResources(HWND window);
void CloseGateEvents();
// True on the thread that owns the main window (the user-interface thread).
bool OnUserInterfaceThread();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT MainSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int MainSetFocus(HWND window, HWND previous);
int MainKillFocus(HWND window, HWND next);
void MouseWheel(WPARAM wParam);
