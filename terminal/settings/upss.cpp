#include "terminal/settings/upss.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/paintsettings.h"
#include "terminal/settings/profile.h"
#include "terminal/settings/registry.h"
#include "terminal/settings/valueio.h"

SavedUpssPairs SavedUpss{{0, -1}, {2, -1}, {0, -1}, {1, -1}, -1, -1};

namespace {
// Where an emulation keeps its pair: the section, the upss value's name (nullptr when
// the emulation has none) and its default, and the font default when the section
// exists.
struct UpssPlace {
    const wchar16* section;
    const wchar16* name;
    i32 upssDefault;
    i32 fontDefault;
};

UpssPlace PlaceOf(u8 id)
{
    if (id == 4 || id == 5 || id == 21)
        return {VXT("VT300"), VXT("ansi386_upss"), 4, 0};
    if (id == 16)
        return {VXT("IBM3151"), VXT("upss"), 0, 0};
    if (id == 17)
        return {VXT("TA6530"), VXT("upss"), 1, 0};
    if (id == 18)
        return {VXT("HP70092"), VXT("upss"), 2, 0};
    if (id == 19 || id == 22)
        return {VXT("TVI955"), nullptr, 0, -1};
    if (id == 20)
        return {VXT("VT300"), nullptr, 0, 0};
    if (id >= 8 && id <= 15)
        return {VXT("ZARA"), VXT("upss"), 1, -1};
    return {VXT("VT300"), VXT("upss"), 0, 0};
}

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

bool Between(u8 id, u8 first, u8 last)
{
    return id >= first && id <= last;
}
}  // namespace

void ReadEmulationUpss()
{
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;  // stored values or the defaults, never what is live
    SavedUpss.vt300 = ReadPair(VXT("VT300"), 0);
    SavedUpss.hp70092 = ReadPair(VXT("HP70092"), 2);
    SavedUpss.ibm3151 = ReadPair(VXT("IBM3151"), 0);
    SavedUpss.ta6530 = ReadPair(VXT("TA6530"), 1);
    SavedUpss.tvi955Font = ReadFont(VXT("TVI955"));
    SavedUpss.zaraFont = ReadFont(VXT("ZARA"));
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
    const u8 id = EmulationId;
    const UpssPlace place = PlaceOf(id);
    const i32 liveUpss = PaintSettings.characterMode;
    const i32 liveFont = SelectedFaceIndex;
    const bool fontOnly = Between(id, 8, 15) || id == 19 || id == 22;
    if (fontOnly)
        StoreEmulationUpss(0, 0, liveFont, fontDefault, place.section);
    else if (id == 16 || id == 17 || id == 18)
        StoreEmulationUpss(liveUpss, place.upssDefault, liveFont, fontDefault, place.section);
    else
        StoreEmulationUpss(liveUpss, 0, liveFont, fontDefault, VXT("VT300"));

    // Every other section gets the pair it was read with. The running emulation's own
    // section already holds its live pair, which a stale saved pair must not replace.
    const SavedUpssPairs& s = SavedUpss;
    if (id != 18)
        StoreEmulationUpss(s.hp70092.upss, 2, s.hp70092.font, fontDefault, VXT("HP70092"));
    if (id != 16)
        StoreEmulationUpss(s.ibm3151.upss, 0, s.ibm3151.font, fontDefault, VXT("IBM3151"));
    if (id != 17)
        StoreEmulationUpss(s.ta6530.upss, 1, s.ta6530.font, fontDefault, VXT("TA6530"));
    if (id != 19 && id != 22)
        StoreEmulationUpss(0, 0, s.tvi955Font, fontDefault, VXT("TVI955"));
    if (!Between(id, 8, 15))
        StoreEmulationUpss(0, 0, s.zaraFont, fontDefault, VXT("ZARA"));
    if (!(Between(id, 0, 5) || id == 20 || id == 21))
        StoreEmulationUpss(s.vt300.upss, 0, s.vt300.font, fontDefault, VXT("VT300"));
}

void LoadEmulationUpss(u8 id)
{
    const UpssPlace place = PlaceOf(id);
    const i32 live = PaintSettings.characterMode;
    HKEY key = SettingsOpenSection(CurrentProfileName(), place.section);
    i32 upss = live;
    if (place.name) {
        // The live set stands in for the default: an absent value keeps it.
        const i32 fallback = live < 255 ? live : place.upssDefault;
        upss = static_cast<u8>(SettingsReadDword(key, place.name, static_cast<u32>(fallback),
                                                 static_cast<u32>(fallback)));
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
