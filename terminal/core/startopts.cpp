#include "terminal/core/startopts.h"

#include "terminal/core/corestate.h"
#include "terminal/core/language.h"
#include "terminal/core/stringids.h"

StartupOptionValues StartupOptions;

int ReadStartupOptions(const wchar16* commandLine, HINSTANCE instance)
{
    StartupOptions = StartupOptionValues{};
    CopyText(Slots.startupSetName, kSlotUnits, VXT("Default"));
    if (LoadLanguageString(instance, kStrTerminalEmulation, Slots.windowTitle, kSlotUnits) <= 0)
        CopyText(Slots.windowTitle, kSlotUnits, VXT("vexaNT"));
    return 1;
}

void ApplyStartTarget() {}
