#include "support/doubles_dg.h"

#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgpaint.h"
#include "terminal/emulations/dg/dgrun.h"
#include "terminal/emulations/dg/dgsettings.h"
#include "terminal/emulations/dg/dgstate.h"

namespace doubles {
DgDouble& DgCalls()
{
    static DgDouble d;
    return d;
}

void ResetDg()
{
    DgCalls() = DgDouble{};
}
}  // namespace doubles

void DgRepaintRegion(int r0, int c0, int r1, int c1)
{
    doubles::DgCalls().repainted.push_back({r0, c0, r1, c1});
}

void DgReleaseFonts() {}

// The engine's part of the start runs; the window work is only counted.
void DgActivate(u8)
{
    ++doubles::DgCalls().activations;
    DgEnter();
}

void DgDeactivate()
{
    ++doubles::DgCalls().deactivations;
    LeaveDgState();
}

bool DgApplyPalette()
{
    return Dg.mode != kDgModeOff;
}

void DgLayoutStatusBar(HINSTANCE)
{
    ++doubles::DgCalls().statusLayouts;
}

void DgUpdateStatusCursor()
{
    ++doubles::DgCalls().cursorFieldUpdates;
}

void DgClearScreenCommand()
{
    ++doubles::DgCalls().clears;
}

// No profile: the factory colours stay.
void LoadDgProfileColours() {}
void DgLoadSettings() {}
void DgSaveSettings(int) {}

int DgKeyMessage(tagMSG*, bool)
{
    return -1;
}
