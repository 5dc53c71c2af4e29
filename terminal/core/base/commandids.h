// Command ids of the main window's WM_COMMAND: the menus, toolbar and soft buttons, and
// the commands the rest of the program posts to it. Free of Win32, so that the engines
// that post commands name them too.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u32 kCmdAbout = 1000;
constexpr u32 kCmdFactoryDefault = 1001;
constexpr u32 kCmdResetTerminal = 1002;
constexpr u32 kCmdCapture = 1004;
constexpr u32 kCmdReplay = 1005;
constexpr u32 kCmdCancelCapture = 1006;  // text only: the capture item while capturing
constexpr u32 kCmdCancelReplay = 1007;   // text only: the replay item while replaying
constexpr u32 kCmdExit = 1008;
constexpr u32 kCmdPaste = 1010;
constexpr u32 kCmdSave = 1011;
constexpr u32 kCmdSetupFirst = 1012;  // 1012-1037 open the Setup dialog on a page
constexpr u32 kCmdEmulation = 1012;
constexpr u32 kCmdSerial = 1013;
constexpr u32 kCmdTerminal = 1014;
constexpr u32 kCmdNewConnection = 1015;
constexpr u32 kCmdAttributes = 1016;
constexpr u32 kCmdKeyboardMacros = 1017;
constexpr u32 kCmdSoftButtons = 1018;
constexpr u32 kCmdOpenSession = 1019;
constexpr u32 kCmdSaveAs = 1020;
constexpr u32 kCmdHp = 1022;
constexpr u32 kCmdLocalEditing = 1023;
constexpr u32 kCmdBlockTransmission = 1024;
constexpr u32 kCmdTa6530 = 1028;
constexpr u32 kCmdIbm3151 = 1031;
constexpr u32 kCmdMouseButtons = 1032;
constexpr u32 kCmdWyse = 1033;
constexpr u32 kCmdIbm3270 = 1035;
constexpr u32 kCmdIbm5250 = 1036;
constexpr u32 kCmdSetupLast = 1037;
constexpr u32 kCmdPrintScreenBitmap = 1040;
// 1040 with 2 in the high word: the DEC Print Screen key, which prints by the PRINTING
// values without asking for the method.
constexpr u32 kCmdPrintScreenAsSet = kCmdPrintScreenBitmap | (2u << 16);
constexpr u32 kCmdCancelPrint = 1041;
constexpr u32 kCmdSelectAll = 1043;
constexpr u32 kCmdClearBuffer = 1044;
constexpr u32 kCmdPrintStep = 1047;
constexpr u32 kCmdPrintBuffer = 1048;
constexpr u32 kCmdPrinterSetup = 1049;
constexpr u32 kCmdNothing = 1050;
constexpr u32 kCmdRepaint = 1056;
constexpr u32 kCmdAutoPrint = 1057;
constexpr u32 kCmdClipboardText = 1058;
constexpr u32 kCmdHostClosed = 1062;
constexpr u32 kCmdClipboardGraphics = 1069;
constexpr u32 kCmdEjectPage = 1072;
constexpr u32 kCmdCopy = 1074;
constexpr u32 kCmdCopySwap = 1075;
constexpr u32 kCmdCopyMono = 1076;
constexpr u32 kCmdCopyMonoSwap = 1077;
constexpr u32 kCmdReloadProfile = 1078;
constexpr u32 kCmdCloseSession = 1088;
constexpr u32 kCmdConnect = 1089;
constexpr u32 kCmdButtonTools = 1090;
constexpr u32 kCmdPrintScreen = 1109;
constexpr u32 kCmdAuxPort = 1157;
constexpr u32 kCmdLanguageFirst = 1501;  // 1501-1511 choose a language module
constexpr u32 kCmdLanguageLast = 1511;
