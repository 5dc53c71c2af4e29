// The menu bar built in code from language strings (the text of each item is the string
// whose id equals its command) and the command handler of the main window.
#pragma once

#include "terminal/core/base/commandids.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/win32.h"

// Popup texts and the language popup.
constexpr UINT kStrFileMenu = 1079, kStrEditMenu = 1080, kStrSettingsMenu = 1081;
constexpr UINT kStrLanguageMenu = 15000, kStrFirstLanguageName = 15001;

// Options of the next bitmap copy.
extern u32 CopySwapBlackWhite, CopyMonochrome;
// Set by BuildMenus: the File menu carries the printing items.
extern u32 PrintingMenuItemsPresent;
// 1 when Paste is greyed (recomputed by UpdateEditMenu).
extern u32 PasteGreyed;
// The command that follows a delayed connection start.
extern u32 PendingFollowUpCommand;

// The upper-cased character after the first "&" of `text`, 0 without one.
u16 GetMnemonic(const wchar_t* text);
// Marks the printing items present and, unless the options ask for no menus at all,
// builds the menu bar (attached to the window when the menu bar option is on). 1.
int BuildMenus(HWND window, HINSTANCE instance);
void BuildMenuBar(bool attach);
void DestroyMenus();

LRESULT MainCommand(HWND window, WPARAM wParam, LPARAM lParam);
void OpenSettingsDialog(HWND window, UINT commandId);

void SelectLanguage(int index);
void FactoryDefault(HWND window, bool confirm);
void ResetTerminal();
void PrintScreen();
void PrintBuffer();
void PrintScreenStep(u32 value);
// Height of the menu bar, the caption (and the sizing frame when the frame is sizable)
// and the toolbar.
int GetMenuAreaHeight();

// Timer 1089: a TCP/IP target given at start waits for it before connecting.
void ConnectionRetryTimer(HWND window);
// Command 1089 by its start mode: 0 connect, 1 New Connection page, 2 Open Session page.
void StartConnection(HWND window, u32 startMode);
