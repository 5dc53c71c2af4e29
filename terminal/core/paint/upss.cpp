#include "terminal/core/paint/upss.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"
#include "terminal/settings/store/valueio.h"

UpssPair SavedUpss[kUpssSectionCount] = {{0, -1}, {2, -1}, {0, -1}, {1, -1}, {0, -1}, {0, -1}};

namespace {

i32 ReadSigned(HKEY key, const wchar16* name, i32 fallback)
{
    return static_cast<i32>(SettingsReadDword(key, name, static_cast<u32>(fallback), static_cast<u32>(fallback)));
}

UpssPair ReadPair(const wchar16* section, i32 upssDefault)
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), section);
    if (!key)
        return {upssDefault, -1};
    const UpssPair pair{ReadSigned(key, VXT("upss"), upssDefault), ReadSigned(key, VXT("upssFont"), 0)};
    SettingsCloseKey(key);
    return pair;
}

i32 ReadFont(const wchar16* section)
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), section);
    const i32 font = ReadSigned(key, VXT("upssFont"), -1);
    SettingsCloseKey(key);
    return font;
}
}  // namespace

void ReadEmulationUpss()
{
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;  // stored values or the defaults, never what is live
    for (int i = 0; i < kUpssSectionCount; ++i) {
        const UpssSection& section = UpssSectionAt(i);
        if (section.fontOnly)
            SavedUpss[i] = {0, ReadFont(section.name)};
        else
            SavedUpss[i] = ReadPair(section.name, section.upssDefault);
    }
    KeepCurrentValues = keep;
}

void StoreEmulationUpss(i32 upss, i32 upssDefault, i32 font, i32 fontDefault, const wchar16* section)
{
    const bool upssIsDefault = static_cast<u8>(upss) == static_cast<u8>(upssDefault);
    if (upssIsDefault && font == fontDefault)
        return;
    HKEY key = SettingsCreateSection(CurrentProfileName(), section);
    if (!key)
        return;
    if (!upssIsDefault)
        SettingsWriteDword(key, VXT("upss"), SignExtendByte(static_cast<u32>(upss)));
    if (font != -1 && font != fontDefault)
        SettingsWriteDword(key, VXT("upssFont"), static_cast<u32>(font));
    SettingsCloseKey(key);
}

void SaveEmulationUpss()
{
    const i32 fontDefault = FindFontIndex();
    const int own = UpssSectionOf(EmulationId);
    const i32 liveUpss = PaintSettings.characterMode;
    const i32 liveFont = SelectedFaceIndex;
    // The running emulation's section gets its live pair; every other section the pair
    // it was read with, which a stale pair must never replace the live one in.
    for (int i = 0; i < kUpssSectionCount; ++i) {
        const UpssSection& section = UpssSectionAt(i);
        const UpssPair pair = i == own ? UpssPair{liveUpss, liveFont} : SavedUpss[i];
        if (section.fontOnly)
            StoreEmulationUpss(0, 0, pair.font, fontDefault, section.name);
        else
            StoreEmulationUpss(pair.upss, section.upssDefault, pair.font, fontDefault, section.name);
    }
}

void LoadEmulationUpss(u8 id)
{
    const UpssPlace place = EmulationUpssPlace(id);
    const i32 live = PaintSettings.characterMode;
    HKEY key = SettingsOpenSection(CurrentProfileName(), place.section);
    i32 upss = live;
    if (place.name) {
        // The live set stands in for the default: an absent value keeps it.
        const i32 fallback = live < 255 ? live : place.upssDefault;
        upss = static_cast<u8>(
            SettingsReadDword(key, place.name, static_cast<u32>(fallback), static_cast<u32>(fallback)));
    }
    i32 font = ReadSigned(key, VXT("upssFont"), SelectedFaceIndex);
    SettingsCloseKey(key);
    PaintSettings.characterMode = static_cast<u8>(upss);
    const int faces = EnumFontFacesForList(upss);
    if (font >= faces)
        font = 0;
    if (font == -1)
        font = FindFontIndex();
    SelectedFaceIndex = font;
}
