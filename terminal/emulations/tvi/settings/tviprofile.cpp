#include "terminal/emulations/tvi/settings/tviprofile.h"

#include <algorithm>

#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/settings/tvidefaults.h"
#include "terminal/settings/store/colours.h"

namespace {

// The plain numbers of the section, each a field of the settings.
struct NumberValue {
    const wchar16* name;
    u8 TviSettings::*byte = nullptr;
    int TviSettings::*number = nullptr;
    u32 TviSettings::*word = nullptr;
};
constexpr NumberValue B(const wchar16* name, u8 TviSettings::*field)
{
    return {name, field, nullptr, nullptr};
}
constexpr NumberValue N(const wchar16* name, int TviSettings::*field)
{
    return {name, nullptr, field, nullptr};
}
constexpr NumberValue W(const wchar16* name, u32 TviSettings::*field)
{
    return {name, nullptr, nullptr, field};
}

// "opt" has a rule of its own (its run-time bit 0 is never stored).
// clang-format off
const NumberValue kNumbers[] = {
    B(VXT("local_edit_key"), &TviSettings::localEditKeys),
    B(VXT("PageEditMode"), &TviSettings::pageEditMode),
    B(VXT("BlockMode"), &TviSettings::blockMode),
    B(VXT("attrspace"), &TviSettings::attrSpace),
    N(VXT("dspwdth"), &TviSettings::lastColumn),
    N(VXT("dspheight"), &TviSettings::displayHeight),
    N(VXT("npages"), &TviSettings::pages),
    N(VXT("rowsperpage"), &TviSettings::rowsPerPage),
    B(VXT("attrmode"), &TviSettings::attrMode),
    B(VXT("protect"), &TviSettings::protect),
    B(VXT("monitor"), &TviSettings::monitor),
    B(VXT("stopflash"), &TviSettings::stopFlash),
    B(VXT("writeprotect"), &TviSettings::writeProtect),
    B(VXT("insmode"), &TviSettings::insertMode),
    W(VXT("pfkeyset"), &TviSettings::pfKeySet),
    B(VXT("margin_bell_on"), &TviSettings::marginBellOn),
    N(VXT("margin_bell_col"), &TviSettings::marginBellColumn),
    B(VXT("repchar"), &TviSettings::fillChar),
    B(VXT("autowrap"), &TviSettings::autoWrap),
    N(VXT("toprow"), &TviSettings::topRow),
    N(VXT("btmrow"), &TviSettings::bottomRow),
    B(VXT("slattr"), &TviSettings::statusAttr),
    B(VXT("savefk"), &TviSettings::saveFunctionKeys),
    W(VXT("Printmode"), &TviSettings::printMode),
};
constexpr const wchar16* kOptions = VXT("opt");

// The attribute colours by combination (intensity 1, underline 2, blink 4, reverse 8).
const wchar16* const kForegroundNames[16] = {
    VXT("frgnorm"), VXT("frgbold"), VXT("frgul"), VXT("frgulbd"), VXT("frgfl"), VXT("frgflbd"),
    VXT("frgflul"), VXT("frgflbdul"), VXT("frgiv"), VXT("frgivbd"), VXT("frgivul"), VXT("frgivulbd"),
    VXT("frgivfl"), VXT("frgivflbd"), VXT("frgivflul"), VXT("frgivflbdul"),
};
const wchar16* const kBackgroundNames[16] = {
    VXT("bcknorm"), VXT("bckbold"), VXT("bckul"), VXT("bckulbd"), VXT("bckfl"), VXT("bckflbd"),
    VXT("bckflul"), VXT("bckflbdul"), VXT("bckiv"), VXT("bckivbd"), VXT("bckivul"), VXT("bckivulbd"),
    VXT("bckivfl"), VXT("bckivflbd"), VXT("bckivflul"), VXT("bckivflbdul"),
};
const wchar16* const kPaletteNames[3] = {VXT("hue"), VXT("lightness"), VXT("saturation")};
// clang-format on

constexpr const wchar16* kPageTerms = VXT("PageTerms");
constexpr const wchar16* kTerms = VXT("Terms");
constexpr const wchar16* kEditKeyNames[2] = {VXT("EKeys0"), VXT("EKeys1")};
constexpr int kKeyValueUnits = 1 + kTviFunctionKeyUnits;  // the flags unit, then the text

u32 Get(const TviSettings& set, const NumberValue& v)
{
    if (v.byte)
        return set.*v.byte;
    if (v.number)
        return static_cast<u32>(set.*v.number);
    return set.*v.word;
}

void Put(TviSettings& set, const NumberValue& v, u32 value)
{
    if (v.byte)
        set.*v.byte = static_cast<u8>(value);
    else if (v.number)
        set.*v.number = static_cast<int>(value);
    else
        set.*v.word = value;
}

// "FKey" and the key number in two digits.
void KeyValueName(wchar16 (&name)[8], int key)
{
    const char prefix[] = "FKey";
    for (int i = 0; i < 4; ++i)
        name[i] = static_cast<wchar16>(prefix[i]);
    name[4] = static_cast<wchar16>(u'0' + key / 10);
    name[5] = static_cast<wchar16>(u'0' + key % 10);
    name[6] = 0;
}

// A table of exactly `count` units, else the current one kept or the factory one taken.
void ReadTable(HKEY key, const wchar16* name, u16* table, const u16* factory, int count)
{
    u16 read[64] = {};
    if (SettingsReadBinary(key, name, read, count) == count)
        std::copy(read, read + count, table);
    else if (!KeepCurrentValues)
        std::copy(factory, factory + count, table);
}

void WriteTable(HKEY key, const wchar16* name, const u16* table, const u16* factory, int count)
{
    if (std::equal(table, table + count, factory))
        SettingsDeleteValue(key, name);
    else
        SettingsWriteBinary(key, name, table, count);
}

void ReadFunctionKeys(HKEY key)
{
    for (int k = 0; k < kTviFunctionKeys; ++k) {
        wchar16 name[8];
        KeyValueName(name, k);
        u16 value[kKeyValueUnits] = {};
        const int n = SettingsReadBinary(key, name, value, kKeyValueUnits);
        if (n >= 1)
            TviSetFunctionKey(k, value + 1, n - 1, static_cast<u8>(value[0]), kTviLiveKeys);
        else if (!KeepCurrentValues)
            TviFactoryFunctionKey(k, kTviLiveKeys);
    }
}

void WriteFunctionKeys(HKEY key)
{
    for (int k = 0; k < kTviFunctionKeys; ++k) {
        wchar16 name[8];
        KeyValueName(name, k);
        if (TviFunctionKeyIsFactory(k, kTviLiveKeys)) {
            SettingsDeleteValue(key, name);
            continue;
        }
        u16 value[kKeyValueUnits];
        const int n = TviGetFunctionKey(value, kKeyValueUnits, k, kTviLiveKeys);
        SettingsWriteBinary(key, name, value, n);
    }
}

void ReadPalette(HKEY key)
{
    HlsPalette read = Tvi.palette;
    int found = 0;
    for (int which = 0; which < 3; ++which) {
        u16 units[kPaletteEntries] = {};
        if (SettingsReadBinary(key, kPaletteNames[which], units, kPaletteEntries) != kPaletteEntries)
            continue;
        ++found;
        for (int i = 0; i < kPaletteEntries; ++i) {
            HlsEntry& e = read.entry[i];
            (which == 0 ? e.hue : which == 1 ? e.lightness : e.saturation) = units[i];
        }
    }
    // Only a whole palette is taken; a part of one gives the factory palette.
    if (found == 3)
        Tvi.palette = read;
    else if (found > 0 || !KeepCurrentValues)
        Tvi.palette = TviFactoryPalette(Colours.bwswap != 0);
}

void WritePalette(HKEY key)
{
    const bool factory = Tvi.palette == TviFactoryPalette(Colours.bwswap != 0);
    for (int which = 0; which < 3; ++which) {
        if (factory) {
            SettingsDeleteValue(key, kPaletteNames[which]);
            continue;
        }
        u16 units[kPaletteEntries];
        for (int i = 0; i < kPaletteEntries; ++i) {
            const HlsEntry& e = Tvi.palette.entry[i];
            units[i] = which == 0 ? e.hue : which == 1 ? e.lightness : e.saturation;
        }
        SettingsWriteBinary(key, kPaletteNames[which], units, kPaletteEntries);
    }
}

}  // namespace

void ReadTviProfile(HKEY key)
{
    const TviSettings factory;
    TviSettings& set = Tvi.set;
    for (const NumberValue& v : kNumbers)
        Put(set, v, SettingsReadDword(key, v.name, Get(set, v), Get(factory, v)));
    // Bit 0 of the options is the running terminal's own: while it is set the stored
    // options are not taken.
    if (!(set.options & kTviOptRunTime))
        set.options = SettingsReadDword(key, kOptions, set.options, factory.options);
    TviCheckGeometry(set);
    if (set.options & kTviOptBlankStatus)
        set.topRow = set.bottomRow = kTviBlankLine;
    ReadTable(key, kPageTerms, set.pageTerms, factory.pageTerms, 2);
    ReadTable(key, kTerms, set.terms, factory.terms, 10);
    for (int half = 0; half < 2; ++half) {
        u16 read[kTviEditHalfUnits] = {};
        if (SettingsReadBinary(key, kEditKeyNames[half], read, kTviEditHalfUnits) == kTviEditHalfUnits) {
            TviSetEditKeys(half, read, kTviLiveKeys);
        } else if (!KeepCurrentValues) {
            for (int e = half * 20; e < half * 20 + 20; ++e) {
                const u16* u = TviFactoryEditKey(e, (set.options & kTviOptEditSet) != 0);
                TviSetEditKey(e, u[0], u[1], u[2], kTviLiveKeys);
            }
        }
    }
    ReadFunctionKeys(key);
    const TviAttrColours colours = TviFactoryAttrColours();
    for (int c = 0; c < 16; ++c) {
        Tvi.colours.foreground[c] = static_cast<u8>(
            SettingsReadDword(key, kForegroundNames[c], Tvi.colours.foreground[c], colours.foreground[c]));
        Tvi.colours.background[c] = static_cast<u8>(
            SettingsReadDword(key, kBackgroundNames[c], Tvi.colours.background[c], colours.background[c]));
    }
    ReadPalette(key);
}

void WriteTviProfile(HKEY key)
{
    // The comparison base: the factory values in the Setup copy, which is given back
    // afterwards (a save from a Setup page must not lose what the page edits).
    const TviSetupCopy editing = TviSetup;
    TviFactorySettings(kTviSetupCopy);
    const TviSettings& set = Tvi.set;
    const TviSettings& factory = TviSetup.set;
    WriteTable(key, kPageTerms, set.pageTerms, factory.pageTerms, 2);
    WriteTable(key, kTerms, set.terms, factory.terms, 10);
    for (int half = 0; half < 2; ++half) {
        u16 live[kTviEditHalfUnits], base[kTviEditHalfUnits];
        TviGetEditKeys(half, live, kTviLiveKeys);
        TviGetEditKeys(half, base, kTviSetupKeys);
        WriteTable(key, kEditKeyNames[half], live, base, kTviEditHalfUnits);
    }
    for (const NumberValue& v : kNumbers)
        SettingsWriteDwordOrDelete(key, v.name, Get(set, v), Get(factory, v));
    SettingsWriteDwordOrDelete(key, kOptions, set.options & ~kTviOptRunTime, factory.options & ~kTviOptRunTime);
    // Keys the host loaded persist only while the user keeps them with the profile; with
    // that off the section's keys are left as they were.
    if (set.saveFunctionKeys)
        WriteFunctionKeys(key);
    for (int c = 0; c < 16; ++c) {
        SettingsWriteDwordOrDelete(key, kForegroundNames[c], Tvi.colours.foreground[c],
                                   TviSetup.colours.foreground[c]);
        SettingsWriteDwordOrDelete(key, kBackgroundNames[c], Tvi.colours.background[c],
                                   TviSetup.colours.background[c]);
    }
    WritePalette(key);
    TviSetup = editing;
}
