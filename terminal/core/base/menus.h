// The menu bar as every room sees it: its handles, the keyboard's mnemonics, and the
// refreshes a room asks for when what a menu shows has changed. The program builds the
// menus and carries the refreshes out.
#pragma once

#include "terminal/core/base/win32.h"

// The menu bar and its popups (0 when not built).
struct MenuHandleSet {
    HMENU bar, file, edit, settings, language;
};
extern MenuHandleSet Menus;
// Upper-cased mnemonic letters of "&File", "&Edit" and "&Settings" for the keyboard.
extern u16 MenuMnemonics[3];

// Refresh the enable, check and text state of the existing items. Safe from any thread:
// the connection menu is refreshed on the user-interface thread.
void UpdateConnectionMenu();
void UpdatePrintMenuItems();
void UpdateCaptureMenuText();
void UpdateReplayMenuText();
void UpdateEditMenu();
void UpdateSettingsMenu();

// "&About %s..." with the program's description, for the toolbar's About button.
void FormatAboutMenuText(wchar_t* buffer, int capacity);
