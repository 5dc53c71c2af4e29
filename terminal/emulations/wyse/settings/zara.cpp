#include "terminal/emulations/wyse/settings/zara.h"

#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

struct ByteValue {
    const wchar16* name;
    u8 WyseSettings::*field;
    u8 factory;
    u8 highest;  // a stored value above it takes the factory value
};
// clang-format off
const ByteValue kBytes[] = {
    {VXT("wy_inedit"), &WyseSettings::inEdit, 0, 1},
    {VXT("wy_enhance"), &WyseSettings::enhance, 1, 1},
    {VXT("wy_page_format"), &WyseSettings::pageFormat, 0, 3},
    {VXT("wy_multi_page"), &WyseSettings::multiPage, 1, 1},
    {VXT("wy_width_clear"), &WyseSettings::widthClear, 0, 1},
    {VXT("wy_economy"), &WyseSettings::economy, 0, 1},
    {VXT("wy_auto_scroll"), &WyseSettings::autoScroll, 1, 1},
    {VXT("wyAutoWrap"), &WyseSettings::autoWrap, 1, 1},
    {VXT("wy_auto_page"), &WyseSettings::autoPage, 0, 1},
    {VXT("wy_dest_BS"), &WyseSettings::destBs, 0, 1},
    {VXT("wy_send_ack"), &WyseSettings::sendAck, 1, 1},
    {VXT("wy_ans_mode"), &WyseSettings::ansMode, 0, 1},
    {VXT("wy_margin_bell"), &WyseSettings::marginBell, 0, 1},
    {VXT("wy_stat"), &WyseSettings::stat, 1, 2},
    {VXT("wy_blkend"), &WyseSettings::blkEnd, 0, 1},
    {VXT("wy_protattr"), &WyseSettings::protAttr, 1, 0x1F},
    {VXT("wy_init_tabs"), &WyseSettings::initTabs, 1, 1},
};
const ByteValue kLaterBytes[] = {
    {VXT("wy_multset"), &WyseSettings::multSet, 0, 10},
    {VXT("wy_ascii_font"), &WyseSettings::asciiFont, 0, 1},
};
// clang-format on

const wchar16* const kCombos[kWyseEmbeddedCombos] = {
    VXT("norm"), VXT("bold"),   VXT("ul"),     VXT("ulbd"),     VXT("fl"),   VXT("flbd"),
    VXT("flul"), VXT("flbdul"), VXT("iv"),     VXT("ivbd"),     VXT("ivul"), VXT("ivulbd"),
    VXT("ivfl"), VXT("ivflbd"), VXT("ivflul"), VXT("ivflbdul"),
};
const wchar16* const kHiddenCombos[kWyseEmbeddedCombos] = {
    VXT("unseen"), VXT("unbold"),   VXT("unul"),     VXT("unulbd"),     VXT("unfl"),   VXT("unflbd"),
    VXT("unflul"), VXT("unflbdul"), VXT("univ"),     VXT("univbd"),     VXT("univul"), VXT("univulbd"),
    VXT("univfl"), VXT("univflbd"), VXT("univflul"), VXT("univflbdul"),
};

using Name = std::basic_string<wchar16>;

Name ColourName(const wchar16* set, const wchar16* part, int combination)
{
    Name n = set;
    n += part;
    n += combination < 16 ? kCombos[combination] : kHiddenCombos[combination - 16];
    return n;
}

u8 ReadByte(HKEY key, const wchar16* name, u8 current, u8 factory, u8 highest)
{
    const u32 v = SettingsReadDword(key, name, current, factory);
    return v <= highest ? static_cast<u8>(v) : factory;
}

void WriteByte(HKEY key, const wchar16* name, u32 value, u32 factory)
{
    SettingsWriteDwordOrDelete(key, name, value, factory);
}

void ReadBytes(HKEY key, const ByteValue* values, int n)
{
    for (int i = 0; i < n; ++i) {
        u8& field = WySet.*(values[i].field);
        field = ReadByte(key, values[i].name, field, values[i].factory, values[i].highest);
    }
}

void WriteBytes(HKEY key, const ByteValue* values, int n)
{
    for (int i = 0; i < n; ++i)
        WriteByte(key, values[i].name, WySet.*(values[i].field), values[i].factory);
}

// One palette column: absent keeps the current values under KeepCurrentValues, a value
// of any other length than 16 units gives the default column.
void ReadPaletteColumn(HKEY key, const Name& name, HlsPalette& palette, const HlsPalette& fallback,
                       u16 HlsEntry::*part)
{
    // Room for longer values than the palette's, so that they read as the wrong length.
    u16 units[4 * kPaletteEntries] = {};
    const int n = SettingsReadBinary(key, name.c_str(), units, 4 * kPaletteEntries);
    if (n <= 0 && KeepCurrentValues)
        return;
    for (int i = 0; i < kPaletteEntries; ++i)
        palette.entry[i].*part = n == kPaletteEntries ? units[i] : fallback.entry[i].*part;
}

void ReadPalette(HKEY key, const wchar16* set, HlsPalette& palette, const HlsPalette& fallback)
{
    ReadPaletteColumn(key, Name(set) + VXT("hue"), palette, fallback, &HlsEntry::hue);
    ReadPaletteColumn(key, Name(set) + VXT("lightness"), palette, fallback, &HlsEntry::lightness);
    ReadPaletteColumn(key, Name(set) + VXT("saturation"), palette, fallback, &HlsEntry::saturation);
}

void WritePalette(HKEY key, const wchar16* set, const HlsPalette& palette, const HlsPalette& fallback)
{
    const Name parts[3] = {Name(set) + VXT("hue"), Name(set) + VXT("lightness"), Name(set) + VXT("saturation")};
    if (palette == fallback) {
        for (const Name& part : parts)
            SettingsDeleteValue(key, part.c_str());
        return;
    }
    u16 units[3][kPaletteEntries];
    for (int i = 0; i < kPaletteEntries; ++i) {
        units[0][i] = palette.entry[i].hue;
        units[1][i] = palette.entry[i].lightness;
        units[2][i] = palette.entry[i].saturation;
    }
    for (int p = 0; p < 3; ++p)
        SettingsWriteBinary(key, parts[p].c_str(), units[p], kPaletteEntries);
}

void ReadColours(HKEY key, const wchar16* set, u8* fg, u8* bg, int count, bool characterSet)
{
    for (int p = 0; p < count; ++p) {
        fg[p] = static_cast<u8>(
            SettingsReadDword(key, ColourName(set, VXT("frg"), p).c_str(), fg[p], WyseFactoryForeground(p & 15)));
        bg[p] = static_cast<u8>(SettingsReadDword(key, ColourName(set, VXT("bck"), p).c_str(), bg[p],
                                                  WyseFactoryBackground(p, characterSet)));
    }
}

void WriteColours(HKEY key, const wchar16* set, const u8* fg, const u8* bg, int count, bool characterSet)
{
    for (int p = 0; p < count; ++p) {
        WriteByte(key, ColourName(set, VXT("frg"), p).c_str(), fg[p], WyseFactoryForeground(p & 15));
        WriteByte(key, ColourName(set, VXT("bck"), p).c_str(), bg[p], WyseFactoryBackground(p, characterSet));
    }
}

bool TabStopsAreFactory()
{
    for (int c = 0; c < kWyseTabColumns; ++c) {
        const u8 t = WySet.tabStops[c];
        if ((c % 8 == 0 && t == ' ') || (c % 8 != 0 && t == 'T'))
            return false;
    }
    return true;
}

void ReadTabStops(HKEY key)
{
    if (!WySet.initTabs) {
        for (u8& t : WySet.tabStops)
            t = ' ';
        WyMode.wideTabs = 0;
        return;
    }
    u16 units[kWyseTabColumns + 1] = {};
    const int n = SettingsReadBinary(key, VXT("wy_tabstops"), units, kWyseTabColumns + 1);
    if (n <= 0) {
        if (!KeepCurrentValues)
            WyseFactoryTabStops(WySet.tabStops);
    } else {
        for (int c = 0; c < kWyseTabColumns; ++c)
            WySet.tabStops[c] = c < n ? static_cast<u8>(units[c]) : ' ';
    }
    WyMode.wideTabs = 0;
    for (u8 t : WySet.tabStops)
        WyMode.wideTabs = WyMode.wideTabs || t == 'T';
}

}  // namespace

void WyseReadSettings(HKEY key)
{
    WyseSettings& s = WySet;
    const u8 id = WyseStoreActive() ? WyId() : kEmuWy50;
    ReadBytes(key, kBytes, 2);
    s.dispSize = WyseValidDisplaySize(SettingsReadDword(key, VXT("wy_disp_size"), s.dispSize, 24));
    ReadBytes(key, kBytes + 2, static_cast<int>(sizeof kBytes / sizeof kBytes[0]) - 2);
    s.attrType = ReadByte(key, VXT("wy_attr_type"), s.attrType, WyseFactoryAttrType(id), 2);
    ReadTabStops(key);
    ReadBytes(key, kLaterBytes, 2);
    s.useColour = SettingsReadDword(key, VXT("wy_usecolour"), s.useColour, 0);
    s.applKey = SettingsReadDword(key, VXT("wy_appl_key"), s.applKey, 0);
    // Always read with the current value 1: a deleted value turns it back on.
    s.crNull = SettingsReadDword(key, VXT("wy_crnull"), 1, 1);
    ReadPalette(key, VXT("wy_350"), s.palette350, kWyseLoadPalette350);
    ReadColours(key, VXT("wy_350"), s.fg350, s.bg350, kWyseEmbeddedCombos, false);
    ReadPalette(key, VXT("wy_370"), s.palette370, kWyseLoadPalette370);
    ReadColours(key, VXT("wy_370"), s.fg370, s.bg370, kWyseCharacterCombos, true);
}

void WyseWriteSettings(HKEY key)
{
    const WyseSettings& s = WySet;
    const u8 id = WyseStoreActive() ? WyId() : kEmuWy50;
    WriteBytes(key, kBytes, static_cast<int>(sizeof kBytes / sizeof kBytes[0]));
    WriteByte(key, VXT("wy_disp_size"), s.dispSize, 24);
    WriteByte(key, VXT("wy_attr_type"), s.attrType, WyseFactoryAttrType(id));
    if (TabStopsAreFactory()) {
        SettingsDeleteValue(key, VXT("wy_tabstops"));
    } else {
        u16 units[kWyseTabColumns];
        for (int c = 0; c < kWyseTabColumns; ++c)
            units[c] = s.tabStops[c];
        SettingsWriteBinary(key, VXT("wy_tabstops"), units, kWyseTabColumns);
    }
    WriteBytes(key, kLaterBytes, 2);
    WriteByte(key, VXT("wy_usecolour"), s.useColour, 0);
    WriteByte(key, VXT("wy_appl_key"), s.applKey, 0);
    WriteByte(key, VXT("wy_crnull"), s.crNull ? 1 : 0, 1);
    WritePalette(key, VXT("wy_350"), s.palette350, kWyseLoadPalette350);
    WriteColours(key, VXT("wy_350"), s.fg350, s.bg350, kWyseEmbeddedCombos, false);
    WritePalette(key, VXT("wy_370"), s.palette370, kWyseLoadPalette370);
    WriteColours(key, VXT("wy_370"), s.fg370, s.bg370, kWyseCharacterCombos, true);
}
