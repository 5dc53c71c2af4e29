// The TA6530's section of the profile in the registry.
#include <algorithm>

#include "terminal/core/session/sessionprofile.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {

constexpr const wchar16* kSection = VXT("TA6530");

struct DwordValue {
    const wchar16* name;
    u32 Ta6530Settings::*field;
};
constexpr DwordValue kValues[] = {
    {VXT("ta_def_mode"), &Ta6530Settings::defMode},         {VXT("ta_border"), &Ta6530Settings::border},
    {VXT("ta_marginbell"), &Ta6530Settings::marginBell},    {VXT("ta_bell_vol"), &Ta6530Settings::bellOn},
    {VXT("ta_packet_block"), &Ta6530Settings::packetBlock}, {VXT("ta_return_func"), &Ta6530Settings::returnFunc},
    {VXT("ta_telserv"), &Ta6530Settings::telserv},
};

// The sixteen combinations in the order of their value names.
constexpr const wchar16* kForegroundNames[16] = {
    VXT("ta_frgnorm"), VXT("ta_frgbold"),   VXT("ta_frgul"),     VXT("ta_frgulbd"),
    VXT("ta_frgfl"),   VXT("ta_frgflbd"),   VXT("ta_frgflul"),   VXT("ta_frgflbdul"),
    VXT("ta_frgiv"),   VXT("ta_frgivbd"),   VXT("ta_frgivul"),   VXT("ta_frgivulbd"),
    VXT("ta_frgivfl"), VXT("ta_frgivflbd"), VXT("ta_frgivflul"), VXT("ta_frgivflbdul"),
};
constexpr const wchar16* kBackgroundNames[16] = {
    VXT("ta_bcknorm"), VXT("ta_bckbold"),   VXT("ta_bckul"),     VXT("ta_bckulbd"),
    VXT("ta_bckfl"),   VXT("ta_bckflbd"),   VXT("ta_bckflul"),   VXT("ta_bckflbdul"),
    VXT("ta_bckiv"),   VXT("ta_bckivbd"),   VXT("ta_bckivul"),   VXT("ta_bckivulbd"),
    VXT("ta_bckivfl"), VXT("ta_bckivflbd"), VXT("ta_bckivflul"), VXT("ta_bckivflbdul"),
};
constexpr const wchar16* kPaletteNames[3] = {VXT("ta_hue"), VXT("ta_lightness"), VXT("ta_saturation")};

u16 PaletteUnit(const HlsEntry& e, int component)
{
    return component == 0 ? e.hue : component == 1 ? e.lightness : e.saturation;
}

void LoadPalette(HKEY key)
{
    u16 units[3][16] = {};
    int read = 0;
    for (int c = 0; c < 3; ++c)
        read += SettingsReadBinary(key, kPaletteNames[c], units[c], 16) == 16 ? 1 : 0;
    if (read != 3) {
        if (!KeepCurrentValues)
            TaProfileSettings.palette = TaFactoryPalette(false);
        return;
    }
    for (int i = 0; i < 16; ++i)
        TaProfileSettings.palette.entry[i] = HlsEntry{std::min<u16>(units[0][i], 360),
                                                      std::min<u16>(units[1][i], 100),
                                                      std::min<u16>(units[2][i], 100)};
}

void SavePalette(HKEY key)
{
    if (TaSettings.palette == TaFactoryPalette(false) || TaSettings.palette == TaFactoryPalette(true)) {
        for (const wchar16* name : kPaletteNames)
            SettingsDeleteValue(key, name);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        u16 units[16];
        for (int i = 0; i < 16; ++i)
            units[i] = PaletteUnit(TaSettings.palette.entry[i], c);
        SettingsWriteBinary(key, kPaletteNames[c], units, 16);
    }
}

}  // namespace

void TaReadSettingsSection()
{
    const Ta6530Settings factory = TaFactorySettings();
    Ta6530Settings& s = TaProfileSettings;
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    for (const DwordValue& v : kValues)
        s.*v.field = SettingsReadDword(key, v.name, s.*v.field, factory.*v.field);
    for (int i = 0; i < 16; ++i) {
        s.frg[i] = static_cast<u8>(SettingsReadDword(key, kForegroundNames[i], s.frg[i], factory.frg[i]));
        s.bck[i] = static_cast<u8>(SettingsReadDword(key, kBackgroundNames[i], s.bck[i], factory.bck[i]));
    }
    LoadPalette(key);
    if (key)
        SettingsCloseKey(key);
}

void TaSaveSettings()
{
    const Ta6530Settings factory = TaFactorySettings();
    const Ta6530Settings& s = TaSettings;
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    for (const DwordValue& v : kValues)
        SettingsWriteDwordOrDelete(key, v.name, s.*v.field, factory.*v.field);
    for (int i = 0; i < 16; ++i) {
        SettingsWriteDwordOrDelete(key, kForegroundNames[i], s.frg[i], factory.frg[i]);
        SettingsWriteDwordOrDelete(key, kBackgroundNames[i], s.bck[i], factory.bck[i]);
    }
    SavePalette(key);
    SettingsCloseKey(key);
    TaProfileSettings = TaSettings;
}

void TaSaveProfileNow()
{
    SaveProfile();
}
