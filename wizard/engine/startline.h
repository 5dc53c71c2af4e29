// The command line the connection manager starts the terminal with, built from the
// lock-down choices (`StartOptions`, one word) and the connection name, and read back
// when a connection is edited. The terminal splits its command line into words at
// blanks, a quote opening a quoted word only at a word's start; switches are read here
// as whole words in the same way, so a connection name never reads as a switch.
#pragma once

#include <vector>

#include "wizard/engine/wztext.h"

// Bits of StartOptions.
constexpr u32 kOnCloseMask = 0x7;  // bits 0-2, signed: 0 shut down, 1 stay alive, 2 reconnect
constexpr u32 kOnCloseNotGiven = 7;
constexpr u32 kStartAllMenus = 1u << 3;      // -MB
constexpr u32 kStartFileMenu = 1u << 4;      // -MF
constexpr u32 kStartEditMenu = 1u << 5;      // -MD
constexpr u32 kStartSettingsMenu = 1u << 6;  // -MS
constexpr u32 kStartSoftButtons = 1u << 7;   // -BL0
constexpr u32 kStartCloseButton = 1u << 8;   // -MT
constexpr u32 kStartNoWarning = 1u << 9;     // -J
constexpr u32 kStartTitleBar = 1u << 10;     // -TB
constexpr u32 kStartToolBar = 1u << 11;      // -L
constexpr u32 kStartStatusBar = 1u << 12;    // -V
constexpr u32 kStartFullScreen = 1u << 13;   // -F
constexpr u32 kStartMaximise = 1u << 14;     // -MZ
constexpr u32 kStartClipboard = 1u << 15;    // -CA
constexpr int kMouseCursorShift = 16;        // bits 16-19: -MC%d
constexpr u32 kMouseCursorMask = 0xFu << kMouseCursorShift;

// What a loaded connection starts with: no on-close choice, -MC 1, nothing else.
constexpr u32 kDefaultStartOptions = kOnCloseNotGiven | (1u << kMouseCursorShift);

// The on-close field as its signed 3-bit number.
int OnCloseChoice(u32 options);

// "-F -E2 -MC3 -WA" and so on; a name holding a blank or a tab is quoted whole:
// "-WMy Host" in double quotes.
WText BuildStartCommandLine(u32 options, const WText& name);
// The words of a command line as the terminal cuts them.
std::vector<WText> SplitTerminalWords(const WText& line);
// Reads a stored start line into options (starting from kDefaultStartOptions).
u32 ParseStartOptions(const WText& line);
