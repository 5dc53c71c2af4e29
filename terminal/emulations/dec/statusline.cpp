// The VT status lines. Until they are built there is no status line: the main display
// is always the active one and the indicator fields are shown nowhere.
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"

void SelectActiveDisplay(int) {}
void SelectActiveDisplayCommand() {}
void SelectStatusDisplayTypeCommand() {}
void ShowVtEmulationName() {}
void ShowInsertModeStatus() {}
void ShowLockStatus() {}
void ShowEditLockStatus() {}
void UpdateVtStatusFields() {}
void InitStatusDisplayState() {}
void ShowDecKeyModeStatus() {}

bool StatusDisplayActive()
{
    return false;
}

int ActiveStatusDisplay()
{
    return 0;
}

int StatusDisplayType()
{
    return 0;
}
