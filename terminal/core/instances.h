// Running instances registered per profile, and the profile chosen at start.
#pragma once

#include "terminal/core/vxtypes.h"

void InitProfileSelection();
void RegisterSessionSlots();
void CloseAllSessions();

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
