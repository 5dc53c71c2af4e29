// What the HP 700/92 hands the core: its per-byte entry on the core's reader, its own
// display memory painted by its row painter, its keys, its profile section and the
// telnet terminal type of its model.
#include "terminal/emulations/hp700/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/keys/keys.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/terminaltype.h"

namespace {

void LoadSettings()
{
    if (Hp700Running())
        Hp700LoadSettings();
}

void SaveSettings(int fullReload)
{
    if (Hp700Running())
        Hp700SaveSettings(fullReload);
}

constexpr TelnetHooks kTelnet{
    .terminalType = HpTerminalTypeName,
};

}  // namespace

const FamilyHooks Hp700Family{
    .name = "HP 700/92",
    .emulations = EmulationBit(kEmuHp70092),
    .dispatchKey = Hp700DispatchKey,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .telnet = &kTelnet,
};
