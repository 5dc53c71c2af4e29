// Command ids of the menus, toolbar and soft buttons, the menu bar built in code from
// language strings (the text of each item is the string whose id equals its command),
// and the command handler of the main window.
#pragma once

#include "terminal/core/win32.h"

constexpr UINT kCmdAbout = 1000;
constexpr UINT kCmdFactoryDefault = 1001;
constexpr UINT kCmdResetTerminal = 1002;
constexpr UINT kCmdCapture = 1004;
constexpr UINT kCmdReplay = 1005;
constexpr UINT kCmdCancelCapture = 1006;  // text only: the capture item while capturing
constexpr UINT kCmdCancelReplay = 1007;   // text only: the replay item while replaying
constexpr UINT kCmdExit = 1008;
constexpr UINT kCmdPaste = 1010;
constexpr UINT kCmdSave = 1011;
constexpr UINT kCmdSetupFirst = 1012;  // 1012-1037 open the Setup dialog on a page
constexpr UINT kCmdEmulation = 1012;
constexpr UINT kCmdSerial = 1013;
constexpr UINT kCmdTerminal = 1014;
constexpr UINT kCmdNewConnection = 1015;
constexpr UINT kCmdAttributes = 1016;
constexpr UINT kCmdKeyboardMacros = 1017;
constexpr UINT kCmdSoftButtons = 1018;
constexpr UINT kCmdOpenSession = 1019;
constexpr UINT kCmdSaveAs = 1020;
constexpr UINT kCmdHp = 1022;
constexpr UINT kCmdLocalEditing = 1023;
constexpr UINT kCmdBlockTransmission = 1024;
constexpr UINT kCmdTa6530 = 1028;
constexpr UINT kCmdIbm3151 = 1031;
constexpr UINT kCmdMouseButtons = 1032;
constexpr UINT kCmdWyse = 1033;
constexpr UINT kCmdIbm3270 = 1035;
constexpr UINT kCmdIbm5250 = 1036;
constexpr UINT kCmdSetupLast = 1037;
constexpr UINT kCmdPrintScreenBitmap = 1040;
constexpr UINT kCmdCancelPrint = 1041;
constexpr UINT kCmdSelectAll = 1043;
constexpr UINT kCmdClearBuffer = 1044;
constexpr UINT kCmdPrintStep = 1047;
constexpr UINT kCmdPrintBuffer = 1048;
constexpr UINT kCmdPrinterSetup = 1049;
constexpr UINT kCmdNothing = 1050;
constexpr UINT kCmdRepaint = 1056;
constexpr UINT kCmdAutoPrint = 1057;
constexpr UINT kCmdClipboardText = 1058;
constexpr UINT kCmdHostClosed = 1062;
constexpr UINT kCmdClipboardGraphics = 1069;
constexpr UINT kCmdEjectPage = 1072;
constexpr UINT kCmdCopy = 1074;
constexpr UINT kCmdCopySwap = 1075;
constexpr UINT kCmdCopyMono = 1076;
constexpr UINT kCmdCopyMonoSwap = 1077;
constexpr UINT kCmdReloadProfile = 1078;
constexpr UINT kCmdCloseSession = 1088;
constexpr UINT kCmdConnect = 1089;
constexpr UINT kCmdButtonTools = 1090;
constexpr UINT kCmdPrintScreen = 1109;
constexpr UINT kCmdAuxPort = 1157;
constexpr UINT kCmdLanguageFirst = 1501;  // 1501-1511 choose a language module
constexpr UINT kCmdLanguageLast = 1511;

// Popup texts and the language popup.
constexpr UINT kStrFileMenu = 1079, kStrEditMenu = 1080, kStrSettingsMenu = 1081;
constexpr UINT kStrLanguageMenu = 15000, kStrFirstLanguageName = 15001;

// The menu bar and its popups (0 when not built).
struct MenuHandleSet {
    HMENU bar, file, edit, settings, language;
};
extern MenuHandleSet Menus;
// Upper-cased mnemonic letters of "&File", "&Edit" and "&Settings" for the keyboard.
extern u16 MenuMnemonics[3];
// 0 text, 1 graphics (bitmap).
extern u32 ClipboardMode;
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

// Refresh the enable, check and text state of the existing items. Safe from any thread:
// the connection menu is refreshed on the user-interface thread.
void UpdateConnectionMenu();
void UpdatePrintMenuItems();
void UpdateCaptureMenuText();
void UpdateReplayMenuText();
void UpdateEditMenu();
void UpdateSettingsMenu();

void SelectLanguage(int index);
// "&About %s..." with the program's description, for the toolbar's About button.
void FormatAboutMenuText(wchar_t* buffer, int capacity);
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
