#include "terminal/emulations/ibm3151/settings/profile3151.h"

#include "terminal/emulations/ibm3151/i3151.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/emulations/ibm3151/host/setcontrol.h"
#include "terminal/emulations/ibm3151/settings/setupbytes.h"

HlsPalette I3151Palette = I3151FactoryPalette();

namespace {

// clang-format off
const wchar16* const kByteNames[18] = {
    VXT("i51_c1pa1"), VXT("i51_c1pa2"), VXT("i51_c2pa1"), VXT("i51_c2pa2"), VXT("i51_c3pa1"), VXT("i51_c3pa2"),
    VXT("i51_c4pa1"), VXT("i51_c5pa1"), VXT("i51_c5pa2"), VXT("i51_c5pa3"), VXT("i51_c5pa4"), VXT("i51_c6pa1"),
    VXT("i51_c6pa2"), VXT("i51_c6pa3"), VXT("i51_c6pa4"), VXT("i51_c7pa1"), VXT("i51_c7pa2"), VXT("i51_c7pa3"),
};
// clang-format on
constexpr const wchar16* kFormat = VXT("i51_format");
constexpr const wchar16* kModel = VXT("i51_model");
constexpr const wchar16* kCursorType = VXT("i51_curstype");
constexpr const wchar16* kTerminalId = VXT("i51_termID");
constexpr const wchar16* kHue = VXT("hue");
constexpr const wchar16* kLightness = VXT("lightness");
constexpr const wchar16* kSaturation = VXT("saturation");

u8& StoredByte(int index)
{
    return index == 0 ? I3151.mode : I3151.setup[index - 1];
}

// "i51_pf_area" and the key number 1-36.
void PfValueName(wchar16* name, int number)
{
    static constexpr char kPrefix[] = "i51_pf_area";
    int n = 0;
    for (; kPrefix[n]; ++n)
        name[n] = static_cast<wchar16>(kPrefix[n]);
    if (number >= 10)
        name[n++] = static_cast<wchar16>(u'0' + number / 10);
    name[n++] = static_cast<wchar16>(u'0' + number % 10);
    name[n] = 0;
}

u16 Component(const HlsEntry& e, int which)
{
    return which == 0 ? e.hue : which == 1 ? e.lightness : e.saturation;
}

void SetComponent(HlsEntry& e, int which, u16 v)
{
    (which == 0 ? e.hue : which == 1 ? e.lightness : e.saturation) = v;
}

void ReadPalette(HKEY key)
{
    static const wchar16* const kNames[3] = {kHue, kLightness, kSaturation};
    HlsPalette read = I3151Palette;
    int found = 0;
    for (int which = 0; which < 3; ++which) {
        u16 units[kPaletteEntries] = {};
        if (SettingsReadBinary(key, kNames[which], units, kPaletteEntries) != kPaletteEntries)
            continue;
        ++found;
        for (int i = 0; i < kPaletteEntries; ++i)
            SetComponent(read.entry[i], which, units[i]);
    }
    // A palette is only taken whole: a part of one gives the factory colours. A pass
    // that keeps current values keeps them when the section holds none.
    if (found == 3)
        I3151Palette = read;
    else if (found > 0 || !KeepCurrentValues)
        I3151Palette = I3151FactoryPalette();
}

void WritePalette(HKEY key)
{
    static const wchar16* const kNames[3] = {kHue, kLightness, kSaturation};
    const bool factory = I3151Palette == I3151FactoryPalette();
    for (int which = 0; which < 3; ++which) {
        if (factory) {
            SettingsDeleteValue(key, kNames[which]);
            continue;
        }
        u16 units[kPaletteEntries];
        for (int i = 0; i < kPaletteEntries; ++i)
            units[i] = Component(I3151Palette.entry[i], which);
        SettingsWriteBinary(key, kNames[which], units, kPaletteEntries);
    }
}

}  // namespace

HlsPalette I3151FactoryPalette()
{
    return HlsPalette{{
        {0, 0, 0},
        {0, 50, 100},
        {120, 50, 100},
        {0, 100, 100},
        {60, 50, 100},
        {300, 50, 100},
        {180, 50, 100},
        {240, 50, 50},
        {0, 50, 0},
        {0, 50, 50},
        {120, 50, 50},
        {0, 75, 0},
        {50, 50, 50},
        {300, 30, 50},
        {180, 30, 50},
        {240, 50, 100},
    }};
}

void I3151ReadProfile(HKEY key)
{
    for (int i = 0; i < 18; ++i) {
        u8& byte = StoredByte(i);
        byte = static_cast<u8>(SettingsReadDword(key, kByteNames[i], byte, I3151DefaultSetupValue(i)));
    }
    // A byte stored without its fixed bits is not the terminal's: they are put back.
    for (int i = 0; i < 17; ++i)
        I3151.setup[i] |= I3151FixedBits(i);
    I3151DeriveTurnaround();
    I3151.format = static_cast<u8>(SettingsReadDword(key, kFormat, I3151.format, 0) & 3);
    I3151.savedFormat = I3151.format;
    I3151.model = static_cast<u8>(SettingsReadDword(key, kModel, I3151.model, 0) & 1);
    I3151.cursorType = static_cast<u8>(SettingsReadDword(key, kCursorType, I3151.cursorType, 1) & 3);
    u16 id[30] = {};
    const int n = SettingsReadBinary(key, kTerminalId, id, 30);
    if (n > 0 || !KeepCurrentValues) {
        for (int i = 0; i < 29; ++i)
            I3151.terminalId[i] = static_cast<wchar16>(i < n ? (id[i] & 0xFF) : 0);
        I3151.terminalId[29] = 0;
    }
    for (int number = 1; number <= kI3151PfKeys; ++number) {
        wchar16 name[16];
        PfValueName(name, number);
        u16 record[kI3151PfUnits] = {};
        if (SettingsReadBinary(key, name, record, kI3151PfUnits) <= 0)
            break;
        for (int i = 0; i < kI3151PfUnits; ++i)
            I3151PfKeyTable[number - 1][i] = static_cast<u16>(record[i] & 0xFF);
        I3151PfKeyTable[number - 1][kI3151PfUnits - 1] = 0;
    }
    ReadPalette(key);
}

void I3151WriteProfile(HKEY key, bool reset)
{
    // A reset to factory settings stores the default bytes.
    if (reset)
        I3151DefaultSetupBytes();
    for (int i = 0; i < 18; ++i)
        SettingsWriteDwordOrDelete(key, kByteNames[i], StoredByte(i), I3151DefaultSetupValue(i));
    SettingsWriteDwordOrDelete(key, kFormat, reset ? 0 : I3151.savedFormat, 0);
    SettingsWriteDwordOrDelete(key, kModel, I3151.model, 0);
    SettingsWriteDwordOrDelete(key, kCursorType, I3151.cursorType, 1);
    int idLength = 0;
    while (idLength < 29 && I3151.terminalId[idLength])
        ++idLength;
    if (idLength == 0) {
        SettingsDeleteValue(key, kTerminalId);
    } else {
        u16 id[29];
        for (int i = 0; i < idLength; ++i)
            id[i] = static_cast<u16>(I3151.terminalId[i] & 0xFF);
        SettingsWriteBinary(key, kTerminalId, id, idLength);
    }
    // All 36 keys while any is defined; none at all otherwise, so that keys cleared
    // since the last save do not come back at the next start.
    const bool keys = !reset && I3151AnyPfKeyDefined();
    for (int number = 1; number <= kI3151PfKeys; ++number) {
        wchar16 name[16];
        PfValueName(name, number);
        if (!keys) {
            SettingsDeleteValue(key, name);
            continue;
        }
        u16 record[kI3151PfUnits];
        for (int i = 0; i < kI3151PfUnits; ++i)
            record[i] = static_cast<u16>(I3151PfKeyTable[number - 1][i] & 0xFF);
        SettingsWriteBinary(key, name, record, kI3151PfUnits);
    }
    WritePalette(key);
}
