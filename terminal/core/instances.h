// Running instances registered per profile, and the profile chosen at start.
#pragma once

#include "terminal/core/vxtypes.h"

// Chooses the profile the program runs with: the "Session" value of the program key,
// machine-wide then per-user ("Untitled" when neither names one), unless the command
// line chose a profile or a host. Decides the profile's registry root.
void InitProfileSelection();
// The Save command: saves the current profile (a profile without a name goes to Save
// Session As instead).
void SaveCurrentSession();

// Session slots: instances of one profile each serve one of its hosts netname1-4
// (unless those are a rollover list). A slot is the volatile key
// {base}\{profile}\Session {n} holding the owner's window and host, so slots vanish
// with the system while the profile's persistent keys beside them stay.
void RegisterSessionSlots();
void CloseAllSessions();
// 0-based index of this window's slot; the slot count when it has none; 0 with rollover.
int FindOwnSessionSlot();

// The language module index for a Windows language id: its primary language picks
// the module, every language without one gets English (0).
i32 LanguageIndexForLanguageId(u32 languageId);
// "SelectedLanguage" of the program key, machine-wide then per user (2057 when neither
// holds one), as a language module index. The selected registry root is kept.
i32 LoadSelectedLanguage();
// The start-up option reader's step: makes sure a default profile exists, reads the
// start-up dialog setting ("Dialog" of {base}\Startup) and the thin client's menu
// security mask into StartupOptions. 0 when the default profile cannot be created.
int ReadStartupSettings();
// Creates {base}\Startup and writes "Dialog".
void WriteStartupDialog(u32 value);

// Closes the session: clears the screen when the "clearscreenonclose" option asks for
// it, stops a running login script, closes the socket or the serial port, and refreshes
// the title and the menus.
void DisconnectSession();
