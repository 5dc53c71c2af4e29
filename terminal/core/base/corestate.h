// Process-wide state of the terminal core that both threads read: the life-cycle flags
// of start-up and shut-down and the user-interface flags that hold the host-data thread.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// OS version code: 16 Windows 9x, 32 NT 3.x and other NT, 33 NT 4.0, 34 Windows 2000,
// 36 Windows XP, 0 any other platform. Written once at start.
extern i32 OsVersionCode;

extern std::atomic<u32> QuitRequested;  // every worker loop ends when set
extern std::atomic<u32> StartingUp;     // 1 until the post-creation initialisation ends
extern std::atomic<u32> ExitCode;

extern std::atomic<u32> HasFocus;      // main window has the keyboard focus
extern std::atomic<u32> InWindowProc;  // MainWndProc is handling a message
extern std::atomic<u32> WindowHidden;  // closed or hidden by the toolbar code
extern std::atomic<u32> Iconic;        // minimised or hidden: painting skips work
extern std::atomic<u32> MenuActive;    // a menu is open (and for ~500 ms after)
extern std::atomic<i32> MenuPollCount;
extern std::atomic<u32> ModalOpen;  // a modal dialog is open
// Every modal dialog and message box sets the flag while it runs: the host-data thread
// holds its reader, and key messages wait.
void SetModalFlag(u32 value);
extern std::atomic<u8> ShuttingDown;  // set at the end of ShutdownTerminal
extern std::atomic<u32> ProfileLoadInProgress;

// The keyboard language (keyboard type index): the one the keyboard layout gives at
// start (0 North American), or the one a host named since (DECKBD, a state restore). It
// chooses the national replacement set and the national set of transmitted blocks.
extern std::atomic<u8> KeyboardTypeIndex;

// The emulation in use and the one last requested (equal when no switch is pending).
extern std::atomic<u8> EmulationId;
extern std::atomic<u8> RequestedEmulationId;
// The id that was current when the last switch was requested.
extern std::atomic<u8> SwitchRequestedFrom;
// Records a switch request from either thread; the message filter carries it out before
// the next message. A second request before that replaces the first. Returns 1.
int RequestEmulation(u8 current, u8 requested);

// Text slots of 133 UTF-16 units shared across the program, each starting empty.
constexpr int kSlotUnits = 133;
constexpr int kShortSlotUnits = 64;
struct StringSlots {
    wchar16 connectionTarget[kSlotUnits];  // the target given at start
    wchar16 telnetSetting[kSlotUnits];
    wchar16 networkHostShown[kSlotUnits];  // host name shown for a network connection
    wchar16 windowTitle[kSlotUnits];
    wchar16 captureFileName[kSlotUnits];
    wchar16 terminalSetting[kSlotUnits];
    wchar16 hpSetting[kSlotUnits];
    wchar16 startupSetName[kSlotUnits];  // the start-up options set
    wchar16 profileName[kSlotUnits];     // current profile
    wchar16 windowSubtitle[kSlotUnits];
    wchar16 luName[kSlotUnits];
    wchar16 telnetText1[kSlotUnits];
    wchar16 telnetText2[kSlotUnits];
    wchar16 profileSetting[kShortSlotUnits];
    wchar16 alternateHosts[3][kShortSlotUnits];  // tried in turn when a connection fails
};
extern StringSlots Slots;

// The command line after the program name, widened; at most 511 units and a zero.
constexpr int kCommandLineUnits = 512;
extern wchar16 CommandLine[kCommandLineUnits];

// Copies at most capacity-1 units of `source` and always terminates; returns the
// number of units copied. Longer texts are cut, never overrun.
std::size_t CopyText(wchar16* destination, std::size_t capacity, const wchar16* source);
std::size_t TextLength(const wchar16* text);
