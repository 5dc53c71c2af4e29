// The HP 700/92's Win32 side as engine tests see it: switching it on starts the engine
// with the built-in Roman-8 tables; painting, the status bar and the palette do nothing;
// the profile section is the registry double's key "HP70092".
#include "support/doubles_registry.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/settings/setupcopy.h"
#include "terminal/settings/setup/setupfamily.h"
#include "terminal/emulations/hp700/window/run700.h"

void Hp700Activate(u8)
{
    Hp700SetRoman8Tables(Hp700BuiltInLatinToRoman8(), Hp700BuiltInRoman8ToLatin());
    Hp700StartEngine();
}

void Hp700Deactivate()
{
    Hp700StopEngine();
}

void Hp700LayoutStatusBar(HINSTANCE) {}
void Hp700RepaintRegion(int, int, int, int) {}

bool Hp700ApplyPalette()
{
    return false;
}

void Hp700LoadSettings()
{
    Hp700ReadProfile(doubles::RegistryKeyHandle(kHp700Section));
}

void Hp700SaveSettings(int)
{
    Hp700WriteProfile(doubles::RegistryKeyHandle(kHp700Section));
}

const FamilySetup Hp700FamilySetup{};
