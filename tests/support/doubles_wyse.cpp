// The Wyse family's Win32 side as its engine tests see it: painting recorded, the
// profile section read and written through the registry double's "ZARA" key, and the
// frame's Clear Screen run at once.
#include "support/doubles_wyse.h"

#include "support/doubles_registry.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/family.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/settings/zara.h"

namespace doubles {
WyseDouble& Wyse()
{
    static WyseDouble d;
    return d;
}
}  // namespace doubles

void WysePaintRegion(int r0, int c0, int r1, int c1)
{
    doubles::Wyse().painted.push_back({r0, c0, r1, c1});
}

void WyseLayoutStatusBar(HINSTANCE)
{
    ++doubles::Wyse().statusBarLayouts;
}

void WyseClearScreenCommand()
{
    WyseClearScreen();
}

void LoadWyseProfile()
{
    LoadWyseSettings();
}

void LoadWyseSettings()
{
    WyseReadSettings(doubles::RegistryKeyHandle(VXT("ZARA")));
}

void SaveWyseSettings(int factory)
{
    doubles::Wyse().factorySaves += factory ? 1 : 0;
    WyseWriteSettings(doubles::RegistryKeyHandle(VXT("ZARA")));
}

void WyseDirectPortPrinting(const wchar16* port)
{
    std::string name;
    for (; port && *port; ++port)
        name += static_cast<char>(*port);
    doubles::Wyse().directPorts.push_back(name);
}

int WyseDoubleCellWidth()
{
    return 20;
}

const FamilySetup WyseSetup{};
