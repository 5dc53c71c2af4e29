// The "DG410" section of the profile: the attribute colours and the palette.
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgsettings.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {

constexpr const wchar16* kSection = VXT("DG410");
constexpr const wchar16* kPaletteNames[3] = {VXT("hue"), VXT("lightness"), VXT("saturation")};

// The value name of a slot, widened.
struct Name {
    wchar16 units[16];
};
Name Widen(const char* name)
{
    Name n{};
    for (int i = 0; name[i] && i < 15; ++i)
        n.units[i] = static_cast<wchar16>(name[i]);
    return n;
}

u16& Component(HlsEntry& e, int which)
{
    return which == 0 ? e.hue : which == 1 ? e.lightness : e.saturation;
}

}  // namespace

void LoadDgColours()
{
    const DgColourSettings factory = DgFactoryColours();
    DgColourSettings& c = DgColours;
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    auto read = [key](const wchar16* name, u8 current, u8 fallback) {
        return static_cast<u8>(SettingsReadDword(key, name, current, fallback));
    };
    c.frgpalette = read(VXT("frgpalette"), c.frgpalette, 0);
    c.bckpalette = read(VXT("bckpalette"), c.bckpalette, 0);
    c.bckscrn = read(VXT("bckscrn"), c.bckscrn, 0);
    for (int r = 0; r < 16; ++r) {
        c.frg[r] = read(Widen(DgFrgName(r)).units, c.frg[r], factory.frg[r]);
        c.bck[r] = read(Widen(DgBckName(r)).units, c.bck[r], factory.bck[r]);
    }
    // The palette counts only when all three components read back whole.
    u16 units[3][kPaletteEntries] = {};
    bool whole = key != nullptr;
    for (int which = 0; which < 3 && whole; ++which)
        whole = SettingsReadBinary(key, kPaletteNames[which], units[which], kPaletteEntries) == kPaletteEntries;
    if (whole) {
        for (int which = 0; which < 3; ++which)
            for (int i = 0; i < kPaletteEntries; ++i)
                Component(DgPalette.entry[i], which) = units[which][i];
    } else if (!KeepCurrentValues) {
        DgPalette = DgFactoryPalette();
    }
    if (key)
        SettingsCloseKey(key);
}

void SaveDgColours()
{
    const DgColourSettings factory = DgFactoryColours();
    const HlsPalette factoryPalette = DgFactoryPalette();
    const DgColourSettings& c = DgColours;
    // Factory values leave a profile without the section: nothing is created for them.
    if (c == factory && DgPalette == factoryPalette) {
        HKEY existing = SettingsOpenSection(CurrentProfileName(), kSection);
        if (!existing)
            return;
        SettingsCloseKey(existing);
    }
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    SettingsWriteDwordOrDelete(key, VXT("frgpalette"), c.frgpalette, 0);
    SettingsWriteDwordOrDelete(key, VXT("bckpalette"), c.bckpalette, 0);
    SettingsWriteDwordOrDelete(key, VXT("bckscrn"), c.bckscrn, 0);
    for (int r = 0; r < 16; ++r) {
        SettingsWriteDwordOrDelete(key, Widen(DgFrgName(r)).units, c.frg[r], factory.frg[r]);
        SettingsWriteDwordOrDelete(key, Widen(DgBckName(r)).units, c.bck[r], factory.bck[r]);
    }
    if (DgPalette == factoryPalette) {
        for (const wchar16* name : kPaletteNames)
            SettingsDeleteValue(key, name);
    } else {
        for (int which = 0; which < 3; ++which) {
            u16 units[kPaletteEntries];
            for (int i = 0; i < kPaletteEntries; ++i)
                units[i] = Component(DgPalette.entry[i], which);
            SettingsWriteBinary(key, kPaletteNames[which], units, kPaletteEntries);
        }
    }
    SettingsCloseKey(key);
}

void LoadDgProfileColours()
{
    const u32 savedRoot = SettingsRootIsUser(), savedKeep = KeepCurrentValues;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        KeepCurrentValues = user;
        LoadDgColours();
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}

void DgLoadSettings()
{
    if (Dg.mode != kDgModeOff)
        LoadDgColours();
}

void DgSaveSettings(int)
{
    if (Dg.mode != kDgModeOff)
        SaveDgColours();
}
