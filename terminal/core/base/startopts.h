// Process-wide start-up option values: the command line's switches and the start-up
// options key ("Startup,<set>" under the program key) shape the window, the menus and
// the connection. Read once, before the main window exists.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Which menus and items are offered (1) or greyed (0): the start-up options key can
// turn each off. One flag per entry of MenuOfferNames.
// clang-format off
enum MenuOffer : u8 {
    kOfferFileMenu, kOfferFactory, kOfferReset, kOfferNewConnection, kOfferOpenSession,
    kOfferCloseSession, kOfferSaveSession, kOfferSaveSessionAs, kOfferStartupOptions,
    kOfferCapture, kOfferReplay, kOfferFileTransfer, kOfferFtp, kOfferPrintSetup,
    kOfferPrintScreen, kOfferPrintBuffer, kOfferAutoPrint, kOfferCancelPrint, kOfferEjectPage,
    kOfferScript, kOfferRunScript, kOfferScriptRecord, kOfferExit,
    kOfferEditMenu, kOfferClipboardText, kOfferClipboardGraphics, kOfferCopy, kOfferPaste,
    kOfferSelectAll, kOfferClearBuffer,
    kOfferSettingsMenu, kOfferEmulation, kOfferSerial, kOfferTerminal, kOfferHp, kOfferTa6530,
    kOfferLocalEditing, kOfferBlockTransmission, kOfferAttributes, kOfferKeyboardMacros,
    kOfferSoftButtons, kOfferIbm3151, kOfferIbm3270, kOfferIbm5250, kOfferMouseButtons,
    kOfferButtonTools, kOfferWyse,
    kOfferHelpMenu,
    kMenuOfferCount
};
// clang-format on

// Menu-mask bits of the -M switches (and of the thin client's security mask).
constexpr u32 kMaskFileMenu = 1, kMaskSettingsMenu = 2, kMaskNoMenu = 4, kMaskCloseItem = 8, kMaskEditMenu = 16,
              kMaskAll = 31;

// Sources of the mouse cursor and the default soft-button levels.
constexpr u16 kCursorIBeam = 32513;

struct StartupOptionValues {
    // Window frame (all on by default).
    u32 sizableFrame = 1, caption = 1, systemMenu = 1, minimiseBox = 1, maximiseBox = 1;
    u32 closeItem = 1, menuBar = 1, scrollBar = 1;
    u32 fullScreen = 0;
    u32 startState = 1;  // 1 normal, 2 minimised, 3 maximised

    u32 noMenus = 0;
    // The -M bits; after reading, only those the security mask allows: a menu whose bit
    // is set is left out of the menu bar.
    u32 menuMask = 0;
    u8 toolbarShown = 1, buttonToolsShown = 1;
    i32 softButtonLevels = -1;  // -1 unset
    u32 historyLines = 528;
    u32 mouseEditMode = 1;  // 0 off, 1 on, 2 disabled
    u32 onCloseAction = 0;  // 0 dialog, 1 exit, 2 nothing, 3 reconnect, 4 dialogue
    u8 warnOnExit = 1;
    i32 defaultFontIndex = -1;
    u32 r4Colours = 0, usePalette = 1, bell = 1;
    u8 debugTrace = 0, debugTwoWay = 0;
    u32 quiet = 0, statusLine = 1, statusLineActive = 1, statusBarAllowed = 1, flashInBackground = 0;
    u32 loadWinsockOnStartup = 0;
    u32 ibmReplyMode = 1, ibmFixedMode = 0, clearScreenOnClose = 0, sessionWarning = 1;
    i32 telnetPort = -1, localPort = -1;
    u32 remotePrinting = 1;
    u16 mouseCursor = kCursorIBeam;    // system cursor id; 0 = no cursor
    u32 clipboardAcceleratorsOff = 0;  // "-CA": menu texts lose their " Ctrl" shortcut
    u32 registeredConnection = 0;
    u32 startMode = 0;         // 0 connect at once, 1 New Connection page, 2 Open Session page
    u32 keepSessionSlots = 0;  // "+cs": a further instance of the same profile
    u8 offered[kMenuOfferCount];

    // Connection target given at start.
    u32 networkProtocol = 1;  // 0 TCP/IP ("winsock"), 1 otherwise
    u8 serialPort = 255;      // 255 = none
    u8 connectionsOff = 0;
    u32 targetGiven = 0;

    // The thin client's menu security mask ("SecurityCfg") and the start-up dialog
    // setting ("Dialog" of the Startup key), read with the start-up settings.
    u32 securityMask = 0;
    u32 startupDialog = 1;

    // Keyboard layout and what it decides for the key handling.
    u32 keyboardLayoutCode = 0x400, keyboardTypeIndex = 0, nationalKeyboard = 0;
    u32 keyboardNameId = 1361, keyboardModelCode = 4;
    u16 decimalKeyChar = '.', otherSeparatorChar = ',';

    StartupOptionValues();
};

extern StartupOptionValues StartupOptions;

// The connection protocol named at start ("winsock", "serial", "none" ...).
constexpr int kProtocolUnits = 32;
extern wchar16 ConnectionProtocol[kProtocolUnits];

// The value names of the offer flags, in MenuOffer order.
extern const char* const MenuOfferNames[kMenuOfferCount];

// Parses the command line and reads the start-up options key. 1, or 0 when the
// profile selection fails.
int ReadStartupOptions(const wchar16* commandLine, HINSTANCE instance);

// Copies the target given at start into the connection settings; a TCP/IP target then
// waits for the connection-retry timer before it connects.
void ApplyStartTarget();

// The system cursor for a -Mc / "MouseCursor" number (10 gives none, unknown the I-beam).
u16 MouseCursorForOption(u32 n);
// The keyboard type index for a keyboard layout code, with the name id, national and
// comma flags it implies.
struct KeyboardLanguage {
    u32 index, nameId, national, comma;
};
KeyboardLanguage KeyboardLanguageFor(u32 layoutCode);
// Reads the keyboard layout and sets the keyboard values of StartupOptions.
void ReadKeyboardLayout();
