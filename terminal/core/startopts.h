// Process-wide start-up option values: the command line's switches and the start-up
// options key shape the window, the menus and the connection.
#pragma once

#include "terminal/core/vxtypes.h"

struct StartupOptionValues {
    // Window frame (all on by default).
    u32 sizableFrame = 1, caption = 1, systemMenu = 1, minimiseBox = 1, maximiseBox = 1;
    u32 closeItem = 1, menuBar = 1, scrollBar = 1;
    u32 fullScreen = 0;
    u32 startState = 1;  // 1 normal, 2 minimised, 3 maximised

    u32 noMenus = 0, menuMask = 0;
    u8 toolbarShown = 1, buttonToolsShown = 1;
    i32 softButtonLevels = -1;
    u32 historyLines = 528;
    u32 mouseEditMode = 1;
    u32 onCloseAction = 0;
    u8 warnOnExit = 1;
    i32 defaultFontIndex = -1;
    u32 r4Colours = 0, usePalette = 0, bell = 1;
    u8 debugTrace = 0, debugTwoWay = 0;
    u32 quiet = 0, statusLine = 1, statusBarAllowed = 1, flashInBackground = 0;
    u32 loadWinsockOnStartup = 0;
    u32 ibmReplyMode = 1, ibmFixedMode = 0, clearScreenOnClose = 0, sessionWarning = 1;
    i32 telnetPort = -1, localPort = -1;
    u32 remotePrinting = 1;
    i32 mouseCursor = 0;  // system cursor id, 0 = unset
    u32 registeredConnection = 0;
    u32 startMode = 0;  // 0 connect at once, 1 New Connection page, 2 Open Session page

    // Connection target given at start.
    u32 networkProtocol = 1;  // 0 TCP/IP ("winsock"), 1 otherwise
    u8 serialPort = 255;      // 255 = none
    u8 connectionsOff = 0;
    u32 targetGiven = 0;
};

extern StartupOptionValues StartupOptions;

// Parses the command line and reads the start-up options key. 1, or 0 when the
// profile selection fails.
int ReadStartupOptions(const wchar16* commandLine, HINSTANCE instance);

// Copies the target given at start into the connection settings; a TCP/IP target then
// waits for the connection-retry timer before it connects.
void ApplyStartTarget();
