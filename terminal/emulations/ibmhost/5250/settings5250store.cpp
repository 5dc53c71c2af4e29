// The profile's "IBM5250" section: the values the 5250 session reads (model, display,
// ruler, keyboard-unlock delay, enhanced interface, font) and the two "Startup" values.
// A value equal to its default is not written.
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr const wchar16* kSection = VXT("IBM5250");

struct DwordValue {
    const wchar16* name;
    u32 I5250Settings::*field32;
    u16 I5250Settings::*field16;
    u8 I5250Settings::*field8;
    u32 factory;
};

// clang-format off
constexpr DwordValue kValues[] = {
    {VXT("I52_model"), nullptr, nullptr, &I5250Settings::model, 3},
    {VXT("I52_mono"), nullptr, nullptr, &I5250Settings::mono, 0},
    {VXT("I52_Cursor"), nullptr, nullptr, &I5250Settings::ignoreCursor, 0},
    {VXT("I52_RuleFollow"), &I5250Settings::ruleFollow, nullptr, nullptr, 0},
    {VXT("I52_RuleType"), nullptr, &I5250Settings::ruleType, nullptr, 3},
    {VXT("I52_EnhancedUI"), nullptr, nullptr, &I5250Settings::enhancedUi, 0},
    {VXT("I52_HideWP"), nullptr, nullptr, &I5250Settings::hideWp, 0},
    {VXT("I52_KbUnlock"), nullptr, &I5250Settings::kbUnlock, nullptr, 0},
    {VXT("I52_SymSwap"), &I5250Settings::symSwap, nullptr, nullptr, 0},
    {VXT("I52_NumSwap"), &I5250Settings::numSwap, nullptr, nullptr, 0},
    {VXT("I52_Font"), nullptr, nullptr, &I5250Settings::font, 255},
};
// clang-format on

u32 Get(const I5250Settings& c, const DwordValue& v)
{
    return v.field32 ? c.*v.field32 : v.field16 ? c.*v.field16 : c.*v.field8;
}

void Set(I5250Settings& c, const DwordValue& v, u32 value)
{
    if (v.field32)
        c.*v.field32 = value;
    else if (v.field16)
        c.*v.field16 = static_cast<u16>(value);
    else
        c.*v.field8 = static_cast<u8>(value);
}
}  // namespace

void I5250LoadSettings()
{
    I5250Settings& c = I5250Config;
    if (HKEY startup = SettingsOpenKeyRead(VXT("Startup"))) {
        c.enterInFill = SettingsReadDword(startup, VXT("Allow5250EnterInFill"), c.enterInFill, 0);
        c.cacheClears = static_cast<u8>(SettingsReadDword(startup, VXT("I52CacheClears"), c.cacheClears, 1));
        SettingsCloseKey(startup);
    }
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    for (const DwordValue& v : kValues)
        Set(c, v, SettingsReadDword(key, v.name, Get(c, v), v.factory));
    if (c.model > 14)
        c.model = 3;
    c.enterInFill = SettingsReadDword(key, VXT("Allow5250EnterInFill"), c.enterInFill, c.enterInFill);
    Configured5250Model = c.model;
    if (key)
        SettingsCloseKey(key);
    I5250ReadEnvironValues(c);
}

void I5250SaveSettings()
{
    const I5250Settings& c = I5250Config;
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    for (const DwordValue& v : kValues)
        SettingsWriteDwordOrDelete(key, v.name, Get(c, v), v.factory);
    SettingsCloseKey(key);
}
