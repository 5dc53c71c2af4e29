// The Setup dialog: one page of its table-driven pages, edited through a working copy.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct SetupDialogOutcome {
    bool settingsChanged;  // OK applied the working copy
    bool reloadRequested;  // the Sessions page chose another profile
};

// Runs the Setup dialog on `page` (command id - 1012) with its dialog template. The
// DialogBoxParamW result: -1 when the template cannot be created, 0 when no page ran.
int RunSetupDialog(HWND owner, int page, int templateId, SetupDialogOutcome* outcome);
