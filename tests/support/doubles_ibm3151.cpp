#include "support/doubles_ibm3151.h"

#include "support/doubles_registry.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/window/run3151.h"
#include "terminal/emulations/ibm3151/services.h"
#include "terminal/settings/setup/setupfamily.h"

namespace doubles {
Ibm3151Double& Ibm3151()
{
    static Ibm3151Double d;
    return d;
}

void ResetIbm3151()
{
    Ibm3151() = Ibm3151Double{};
}
}  // namespace doubles

namespace {
HKEY Section()
{
    return doubles::RegistryKeyHandle(VXT("IBM3151"));
}
}  // namespace

const FamilySetup I3151FamilySetup{};

void I3151Activate(u8) {}
void I3151Deactivate() {}
void I3151LayoutStatusBar(HINSTANCE) {}
void I3151RepaintRegion(int, int, int, int) {}

void I3151ScreenSizeChanged()
{
    ++doubles::Ibm3151().layouts;
}

void I3151SetStatusField(u32 id, const wchar16* text)
{
    std::u16string s;
    for (; text && *text; ++text)
        s += static_cast<char16_t>(*text);
    doubles::Ibm3151().fields[id] = s;
}

void I3151LoadSettings()
{
    I3151ReadProfile(Section());
}

void I3151SaveSettings(int reset)
{
    I3151WriteProfile(Section(), reset != 0);
}
