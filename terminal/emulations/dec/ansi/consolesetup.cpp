// What the consoles and AIXTerm add to the Setup working copy: the palette the
// Attributes page edits while one of them runs, and AIXTerm's "High Function Terminal"
// row of the Terminal page.
#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansipalettes.h"
#include "terminal/emulations/dec/ansi/consolesetup.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

void FillHftMode()
{
    SetupCopy.modes[kRowHighFunction] = Aixterm.hftMode != 0 ? 1 : 0;
}

void ApplyHftMode()
{
    if (AixtermMode)
        Aixterm.hftMode = SetupCopy.modes[kRowHighFunction] ? 1 : 0;
}

}  // namespace

const FamilySetup ConsoleSetup{.palette = RunningConsolePalette, .factoryPalette = RunningConsoleFactoryPalette};
const FamilySetup AixtermSetup{.fill = FillHftMode,
                               .applied = ApplyHftMode,
                               .palette = RunningConsolePalette,
                               .factoryPalette = RunningConsoleFactoryPalette};
