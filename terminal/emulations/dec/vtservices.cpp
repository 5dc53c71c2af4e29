#include "terminal/emulations/dec/vtservices.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/frame/emuswitch.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/services.h"

TimeOfDay HostTimeOfDay{};

// The auxiliary port cannot be opened until the port layer exists.
void SelectAuxiliaryPort() {}

void LoadTimeOfDay()
{
    const CsiParameterSet& p = CsiParameters;
    if (p.markerInForce != ' ')
        return;
    const int hour = p.slots[1].value, minute = p.count >= 2 ? p.slots[2].value : 0;
    if (hour > 23 || minute > 59)
        return;
    HostTimeOfDay = TimeOfDay{static_cast<u8>(hour), static_cast<u8>(minute), 1};
}

void ApplyPageModeSetting()
{
    // The pages are the VT family's; an emulation with records of its own in the store
    // keeps it as it is.
    if (!IsVtFamily(EmulationId) || Screen.lineOwner || !Screen.lines)
        return;
    const u32 wanted = VtPageModeForModel() ? 1 : 0;
    if (wanted == Screen.multiPage)
        return;
    NormalisePageOrder();
    Screen.multiPage = wanted;
    if (wanted) {
        // A multi-page model starts with pages of a screen each, as many as fit.
        SetScreenPageLength(Screen.rows);
    } else {
        // Back to one page: what the pages held beyond the screen becomes history room.
        Screen.pageShown = 0;
        SetScreenPageLength(Screen.rows);
        ResizeScreenLines(Screen.maxLineCount);
    }
    ResetSavedPageMargins();
    MoveCursorAbsolute(Screen.cursorRow < Screen.rows ? Screen.cursorRow : Screen.rows - 1, Screen.cursorColumn);
    RepaintScreen();
}
