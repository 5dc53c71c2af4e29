// The status bar below the screen: fields (connection indicator, emulation name, cursor
// position, modes, printer and auxiliary port) and owner-drawn two-state buttons. The
// core owns the bar and its tables; each emulation lays out its own fields through the
// calls below whenever the emulation changes.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kStatusBarId = 2801;
constexpr int kStatusMaxFields = 18;
constexpr int kStatusMaxButtons = 8;
constexpr int kStatusTextUnits = 134;  // 133 units and a terminator
constexpr u32 kFieldIndicator = 2804;
constexpr u32 kFieldClock = 2803;
constexpr u32 kFieldCursor = 7400;
constexpr u32 kFieldPrinter = 7415;
constexpr u32 kFieldEmulationName = 7409;
constexpr u32 kFieldAux = 7421;
constexpr u32 kFieldFiller = 0xFFFFFFFF;  // the empty field that runs to the right edge

bool RegisterStatusBarClass(HINSTANCE instance);
// Creates the bar when the start-up options offer it.
void CreateStatusBar(HINSTANCE instance);
void ShowStatusBarWindow();
HWND StatusBarWindow();
RECT ComputeStatusBarRect();
// Height taken from the terminal area: 0 without a bar.
int GetStatusBarHeight();
void StatusBarResize();
void StatusBarDestroy();
void InvalidateStatusBar();
HFONT CreateStatusFont();
HBITMAP LoadAppBitmap(const wchar_t* name);

// Fields. Adding returns the field's right edge + 2, or -1; an id added again replaces
// the field. A null or empty text clears.
int StatusBarAddField(u32 id, int x, int width, const wchar_t* text, const wchar_t* bitmapName);
void StatusBarSetText(u32 id, const wchar_t* text);
void StatusBarRemoveField(u32 id);
bool StatusBarHasField(u32 id);
int StatusBarFindField(u32 id);
i64 StatusBarFieldIdAt(int index);
bool StatusBarGetFieldRect(u32 id, RECT* rect);
// The text a field shows (for the layout code and tests); empty for no field.
int StatusBarGetText(u32 id, wchar_t* buffer, int capacity);

// Buttons: returns the button's right edge, or -1.
int StatusBarAddButton(HINSTANCE instance, u32 id, int x, int width, bool twoState, u32 state, void (*action)(),
                       const wchar_t* upText, const wchar_t* upBitmap, const wchar_t* downText,
                       const wchar_t* downBitmap);
void StatusBarSetButtonText(u32 id, const wchar_t* text, bool down);
void StatusBarRemoveButton(u32 id);
bool StatusBarHasButton(u32 id);
int StatusBarFindButton(u32 id);
i64 StatusBarButtonIdAt(int index);
u32 StatusBarButtonState(u32 id);

void StatusBarClear();

// The connection indicator (StatusBarSetLinkState in uiservices.h sets it).
int StatusBarLinkState();
void StatusBarLoadIndicator();
void StatusBarReleaseIndicator();

// The cursor field "1 1(024,080) ": page digit, then 1-based row and column.
void FormatCursorField(wchar_t* text, int capacity, int page, int row, int column);
void StatusBarShowCursorPos();
void VtLayoutStatusBar(HINSTANCE instance);
// The printer field's text: the print mode, or "Printer: " and the printer's status.
const wchar_t* PrinterFieldText(wchar_t* text, int capacity);
// The auxiliary field's text: its state, or "Aux: " and the port's status.
const wchar_t* AuxFieldText(wchar_t* text, int capacity);
// Lays out the active emulation's fields.
void StatusBarRefresh();
void ToggleLocalMode();
void ToggleHoldScreen();

LRESULT CALLBACK StatusBarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
