#include "terminal/emulations/hp700/settings/settings.h"

#include <algorithm>
#include <iterator>

#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/settings/store/colours.h"

namespace {

// The one-byte values of the section in the order they are read; hp_termid and
// hp_remote have rules of their own and sit in the order at their places.
enum class Special : u8 { None, Remote, Model };
struct ByteValue {
    const wchar16* name;
    u8 Hp700Settings::*field;
    Special special = Special::None;
};
// clang-format off
const ByteValue kBytes[] = {
    {VXT("hp_modall"), &Hp700Settings::modall},
    {VXT("hp_blockmode"), &Hp700Settings::blockmode},
    {VXT("hp_remote"), &Hp700Settings::remote, Special::Remote},
    {VXT("hp_autolf"), &Hp700Settings::autolf},
    {VXT("hp_configlock"), &Hp700Settings::configlock},
    {VXT("hp_destbs"), &Hp700Settings::destbs},
    {VXT("hp_echo"), &Hp700Settings::echo},
    {VXT("hp_enqack"), &Hp700Settings::enqack},
    {VXT("hp_termid"), nullptr, Special::Model},
    {VXT("hp_capslock"), &Hp700Settings::capslock},
    {VXT("hp_startclmn"), &Hp700Settings::startclmn},
    {VXT("hp_inhhndshk"), &Hp700Settings::inhhndshk},
    {VXT("hp_inhdc2"), &Hp700Settings::inhdc2},
    {VXT("hp_escxfer"), &Hp700Settings::escxfer},
    {VXT("hp_bell"), &Hp700Settings::bell},
    {VXT("hp_txfunctns"), &Hp700Settings::txfunctns},
    {VXT("hp_spow"), &Hp700Settings::spow},
    {VXT("hp_inheolwrap"), &Hp700Settings::inheolwrap},
    {VXT("hp_txpage"), &Hp700Settings::txpage},
    {VXT("hp_8bits"), &Hp700Settings::eightBits},
    {VXT("hp_crnull"), &Hp700Settings::crnull},
    {VXT("hp_datashi"), &Hp700Settings::datashi},
    {VXT("hp_chkparity"), &Hp700Settings::chkparity},
    {VXT("hp_typeahead"), &Hp700Settings::typeahead},
    {VXT("hp_promptchar"), &Hp700Settings::promptchar},
    {VXT("hp_fieldsep"), &Hp700Settings::fieldsep},
    {VXT("hp_blockterm"), &Hp700Settings::blockterm},
    {VXT("hp_printff"), &Hp700Settings::printff},
    {VXT("hp_ignoreff"), &Hp700Settings::ignoreff},
    {VXT("hp_width80"), &Hp700Settings::width80},
};
// clang-format on
constexpr const wchar16* kPages = VXT("hp_pages");
constexpr const wchar16* kReturnDef = VXT("hp_returndef");
constexpr const wchar16* kCustomId = VXT("szCustomHPID");
constexpr const wchar16* kPaletteNames[3] = {VXT("hp_hue"), VXT("hp_light"), VXT("hp_sat")};
constexpr const wchar16* kForeground = VXT("hp_foreground");
constexpr const wchar16* kBackground = VXT("hp_background");
constexpr u8 kFactoryModel = 1;

// The remote mode a fresh start takes: on unless the core runs locally.
u8 FactoryRemote()
{
    return LocalMode.load() ? 0 : 1;
}

// The registry layer stores texts as 16-bit units.
const u16* Units(const wchar16* text)
{
    return reinterpret_cast<const u16*>(text);
}

u8 FactoryByte(const Hp700Settings& factory, const ByteValue& v)
{
    return v.special == Special::Remote ? FactoryRemote() : factory.*v.field;
}

// "hp_pflabels" or "hp_pfstrings" and the key number 1..8.
void KeyValueName(wchar16 (&name)[16], const char* prefix, int key)
{
    int n = 0;
    for (; prefix[n]; ++n)
        name[n] = static_cast<wchar16>(prefix[n]);
    name[n++] = static_cast<wchar16>(u'1' + key);
    name[n] = 0;
}

// A stored unit as a cell's character: the Roman-8 codes are bytes, a unit beyond them
// is shown as a blank.
u8 UnitToCell(u16 unit)
{
    return unit <= 0xFF ? static_cast<u8>(unit) : u8{' '};
}

void ReadUserKeys(HKEY key)
{
    // Each run stops at the first key missing: the keys after it keep their lines.
    for (int k = 0; k < kHpUserKeys; ++k) {
        wchar16 name[16];
        KeyValueName(name, "hp_pflabels", k);
        u16 units[kHpUserKeyLabelUnits] = {};
        if (SettingsReadBinary(key, name, units, kHpUserKeyLabelUnits) <= 0)
            break;
        ScreenCell* cells = Hp700UserKeyLabelLine(k).cells;
        for (int c = 0; c < kHpUserKeyLabelUnits; ++c)
            cells[c].ch = UnitToCell(units[c]);
    }
    for (int k = 0; k < kHpUserKeys; ++k) {
        wchar16 name[16];
        KeyValueName(name, "hp_pfstrings", k);
        u16 units[kHpUserKeyStringUnits] = {};
        if (SettingsReadBinary(key, name, units, kHpUserKeyStringUnits) <= 0)
            break;
        // The string ends at its first empty cell, as it is saved.
        ScreenCell* cells = Hp700UserKeyStringLine(k).cells;
        bool ended = false;
        for (int c = 0; c < kHpUserKeyStringUnits; ++c) {
            ended = ended || units[c] == 0;
            cells[c].ch = ended ? u8{0} : UnitToCell(units[c]);
        }
    }
}

void WriteUserKeys(HKEY key)
{
    for (int k = 0; k < kHpUserKeys; ++k) {
        wchar16 name[16];
        KeyValueName(name, "hp_pflabels", k);
        u16 units[kHpUserKeyStringUnits] = {};
        const ScreenCell* label = Hp700UserKeyLabelLine(k).cells;
        for (int c = 0; c < kHpUserKeyLabelUnits; ++c)
            units[c] = label[c].ch;
        SettingsWriteBinary(key, name, units, kHpUserKeyLabelUnits);

        KeyValueName(name, "hp_pfstrings", k);
        const ScreenCell* text = Hp700UserKeyStringLine(k).cells;
        int n = 0;
        for (; n < kHpUserKeyStringUnits && text[n].ch != 0; ++n)
            units[n] = text[n].ch;
        // An empty string is stored as one zero unit: a missing value would end the
        // reading of the keys after it.
        if (n == 0)
            units[0] = 0;
        SettingsWriteBinary(key, name, units, n > 0 ? n : 1);
    }
}

// The factory palette, entries 0 and 7 exchanged while the display shows black on white.
void FactoryPalette(u16 (&hue)[16], u16 (&light)[16], u16 (&sat)[16])
{
    // clang-format off
    static const u16 kTriples[16][3] = {
        {0, 100, 100}, {120, 50, 100}, {240, 50, 100}, {180, 50, 100},
        {0, 50, 100},  {60, 50, 100},  {300, 50, 100}, {0, 0, 0},
        {0, 75, 0},    {120, 50, 50},  {240, 50, 50},  {180, 30, 50},
        {0, 50, 50},   {50, 50, 50},   {300, 30, 50},  {0, 50, 0},
    };
    // clang-format on
    const bool swap = Colours.bwswap != 0;
    for (int i = 0; i < 16; ++i) {
        const int from = swap && (i == 0 || i == 7) ? 7 - i : i;
        hue[i] = kTriples[from][0];
        light[i] = kTriples[from][1];
        sat[i] = kTriples[from][2];
    }
}

u16* PaletteRow(int which)
{
    Hp700Settings& s = Hp700.settings;
    return which == 0 ? s.hue : which == 1 ? s.light : s.sat;
}

void ReadPalette(HKEY key)
{
    u16 factory[3][16];
    FactoryPalette(factory[0], factory[1], factory[2]);
    for (int which = 0; which < 3; ++which) {
        u16 units[16] = {};
        if (SettingsReadBinary(key, kPaletteNames[which], units, 16) == 16)
            std::copy(units, units + 16, PaletteRow(which));
        else if (!KeepCurrentValues)
            std::copy(factory[which], factory[which] + 16, PaletteRow(which));
    }
}

void WritePalette(HKEY key)
{
    u16 factory[3][16];
    FactoryPalette(factory[0], factory[1], factory[2]);
    bool same = true;
    for (int which = 0; which < 3; ++which)
        same = same && std::equal(factory[which], factory[which] + 16, PaletteRow(which));
    for (int which = 0; which < 3; ++which) {
        if (same)
            SettingsDeleteValue(key, kPaletteNames[which]);
        else
            SettingsWriteBinary(key, kPaletteNames[which], PaletteRow(which), 16);
    }
}

// A pair table of 8 palette indexes; one naming an entry beyond the palette is refused
// whole.
void ReadPairs(HKEY key, const wchar16* name, u8 (&pairs)[8], const u8 (&factory)[8])
{
    u16 units[8] = {};
    const bool read = SettingsReadBinary(key, name, units, 8) == 8 &&
                      std::all_of(std::begin(units), std::end(units), [](u16 u) { return u < 16; });
    if (read)
        std::transform(std::begin(units), std::end(units), pairs, [](u16 u) { return static_cast<u8>(u); });
    else if (!KeepCurrentValues)
        std::copy(std::begin(factory), std::end(factory), pairs);
}

void WritePairs(HKEY key, const wchar16* name, const u8 (&pairs)[8], const u8 (&factory)[8])
{
    if (std::equal(std::begin(pairs), std::end(pairs), factory)) {
        SettingsDeleteValue(key, name);
        return;
    }
    u16 units[8];
    std::copy(std::begin(pairs), std::end(pairs), units);
    SettingsWriteBinary(key, name, units, 8);
}

}  // namespace

HpLine& Hp700UserKeyLabelLine(int key)
{
    return Hp700.userKeyLines[2 * std::clamp(key, 0, kHpUserKeys - 1)];
}

HpLine& Hp700UserKeyStringLine(int key)
{
    return Hp700.userKeyLines[2 * std::clamp(key, 0, kHpUserKeys - 1) + 1];
}

void Hp700ReadProfile(HKEY key)
{
    const Hp700Settings factory;
    Hp700Settings& s = Hp700.settings;
    for (const ByteValue& v : kBytes) {
        if (v.special == Special::Model)
            HpModel = static_cast<u8>(SettingsReadDword(key, v.name, HpModel, kFactoryModel));
        else
            s.*v.field = static_cast<u8>(SettingsReadDword(key, v.name, s.*v.field, FactoryByte(factory, v)));
    }
    // The display memory exists for 2..8 pages only: another stored count is refused.
    const u32 pages = SettingsReadDword(key, kPages, s.pages, factory.pages);
    if (pages >= kHpMinPages && pages <= kHpMaxPages)
        s.pages = static_cast<u8>(pages);
    else if (!KeepCurrentValues || s.pages < kHpMinPages || s.pages > kHpMaxPages)
        s.pages = factory.pages;

    u16 ret[2] = {};
    if (SettingsReadBinary(key, kReturnDef, ret, 2) == 2)
        std::copy(ret, ret + 2, s.returndef);
    else if (!KeepCurrentValues)
        std::copy(std::begin(factory.returndef), std::end(factory.returndef), s.returndef);

    // The identity ends at its first zero unit, as it is saved.
    u16 id[kHpCustomIdUnits] = {};
    if (const int n = SettingsReadBinary(key, kCustomId, id, kHpCustomIdUnits); n > 0) {
        std::fill(std::begin(s.customId), std::end(s.customId), wchar16{0});
        for (int i = 0; i < n && id[i]; ++i)
            s.customId[i] = id[i];
    } else if (!KeepCurrentValues) {
        s.customId[0] = 0;
    }

    ReadUserKeys(key);
    ReadPalette(key);
    ReadPairs(key, kForeground, s.foreground, factory.foreground);
    ReadPairs(key, kBackground, s.background, factory.background);
}

void Hp700WriteProfile(HKEY key)
{
    const Hp700Settings factory;
    const Hp700Settings& s = Hp700.settings;
    for (const ByteValue& v : kBytes) {
        if (v.special == Special::Model)
            SettingsWriteDwordOrDelete(key, v.name, HpModel, kFactoryModel);
        else
            SettingsWriteDwordOrDelete(key, v.name, s.*v.field, FactoryByte(factory, v));
    }
    SettingsWriteDwordOrDelete(key, kPages, s.pages, factory.pages);

    if (std::equal(std::begin(s.returndef), std::end(s.returndef), factory.returndef))
        SettingsDeleteValue(key, kReturnDef);
    else
        SettingsWriteBinary(key, kReturnDef, Units(s.returndef), 2);

    int idUnits = 0;
    while (idUnits < kHpCustomIdUnits && s.customId[idUnits])
        ++idUnits;
    if (idUnits > 0)
        SettingsWriteBinary(key, kCustomId, Units(s.customId), idUnits);
    else
        SettingsDeleteValue(key, kCustomId);

    WriteUserKeys(key);
    WritePalette(key);
    WritePairs(key, kForeground, s.foreground, factory.foreground);
    WritePairs(key, kBackground, s.background, factory.background);
}

void Hp700FactoryDefaults()
{
    const u8 remote = Hp700.settings.remote, destbs = Hp700.settings.destbs;
    Hp700.settings = Hp700Settings{};
    Hp700.settings.remote = remote;
    Hp700.settings.destbs = destbs;
    HpModel = kFactoryModel;
    Hp700DefaultColourTable();
}

void Hp700DefaultColourTable()
{
    FactoryPalette(Hp700.settings.hue, Hp700.settings.light, Hp700.settings.sat);
}
