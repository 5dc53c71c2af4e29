#include "terminal/emulations/dec/ansi/ansipalettes.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/ansi/ansiprofile.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"

HlsPalette ScoPalette{};
HlsPalette At386Palette{};
HlsPalette AixtermPalette{};

namespace {

// Entry order is the consoles' colour index: black, blue, red, green, magenta, cyan,
// yellow, white, then the bright ones.
// clang-format off
constexpr HlsPalette kFactoryConsolePalette{{
    {0, 0, 0},      {0, 50, 100},   {120, 50, 100}, {240, 50, 100},
    {60, 50, 100},  {300, 40, 100}, {180, 50, 100}, {0, 75, 0},
    {0, 50, 0},     {0, 73, 100},   {120, 39, 41},  {214, 73, 100},
    {53, 77, 100},  {300, 50, 100}, {126, 71, 100}, {0, 100, 100},
}};
// clang-format on

constexpr const wchar16* kValueNames[3] = {VXT("hue"), VXT("lightness"), VXT("saturation")};
u16 HlsEntry::*const kComponents[3] = {&HlsEntry::hue, &HlsEntry::lightness, &HlsEntry::saturation};
// A stored value longer than the palette is read as far as the palette goes.
constexpr int kReadUnits = 64;

constexpr const wchar16* kHftModeName = VXT("aix_hftmode");

// The emulation whose section the running family writes, or kNoEmulation.
u8 RunningConsole()
{
    if (AixtermMode)
        return kEmuAixterm;
    if (AnsiConsoleMode && ConsolePaletteFor(AnsiConsole.variant))
        return AnsiConsole.variant;
    return kNoEmulation;
}

bool InRange(const HlsEntry& e)
{
    return e.hue <= 360 && e.lightness <= 100 && e.saturation <= 100;
}

}  // namespace

// clang-format off
const HlsPalette kFactoryAixtermPalette{{
    {0, 0, 0},      {0, 50, 50},    {120, 50, 50},  {240, 50, 50},
    {50, 50, 50},   {300, 30, 50},  {180, 30, 50},  {0, 75, 0},
    {0, 50, 0},     {0, 50, 100},   {120, 50, 100}, {240, 50, 100},
    {60, 50, 100},  {300, 50, 100}, {180, 50, 100}, {0, 100, 100},
}};
// clang-format on

HlsPalette FactoryConsolePalette(bool bwswap)
{
    HlsPalette p = kFactoryConsolePalette;
    if (bwswap) {
        const HlsEntry black = p.entry[0];
        p.entry[0] = p.entry[15];
        p.entry[15] = black;
    }
    return p;
}

HlsPalette* ConsolePaletteFor(u8 id)
{
    switch (id) {
    case kEmuAnsiBbs:
    case kEmuScoConsole: return &ScoPalette;
    case kEmuAt386: return &At386Palette;
    case kEmuAixterm: return &AixtermPalette;
    default: return nullptr;
    }
}

HlsPalette FactoryPaletteFor(u8 id)
{
    return id == kEmuAixterm ? kFactoryAixtermPalette : FactoryConsolePalette(Colours.bwswap != 0);
}

void ReadConsolePalette(HKEY section, HlsPalette& palette)
{
    if (!section)
        return;
    // A damaged or hand-edited value keeps the colour it would have spoilt: the
    // conversion to red, green and blue is defined for hues to 360 and percentages to
    // 100 only.
    HlsPalette stored = palette;
    for (int f = 0; f < 3; ++f) {
        u16 units[kReadUnits] = {};
        const int n = SettingsReadBinary(section, kValueNames[f], units, kReadUnits);
        for (int i = 0; i < n && i < kPaletteEntries; ++i)
            stored.entry[i].*kComponents[f] = units[i];
    }
    for (int i = 0; i < kPaletteEntries; ++i)
        if (InRange(stored.entry[i]))
            palette.entry[i] = stored.entry[i];
}

void WriteConsolePalette(HKEY section, const HlsPalette& palette, const HlsPalette& factory)
{
    if (!section || palette == factory)
        return;
    for (int f = 0; f < 3; ++f) {
        u16 units[kPaletteEntries];
        for (int i = 0; i < kPaletteEntries; ++i)
            units[i] = palette.entry[i].*kComponents[f];
        SettingsWriteBinary(section, kValueNames[f], units, kPaletteEntries);
    }
}

HlsPalette* RunningConsolePalette()
{
    const u8 id = RunningConsole();
    return id == kNoEmulation ? nullptr : ConsolePaletteFor(id);
}

HlsPalette RunningConsoleFactoryPalette()
{
    const u8 id = RunningConsole();
    return id == kNoEmulation ? FactoryConsolePalette(Colours.bwswap != 0) : FactoryPaletteFor(id);
}

void LoadConsolePaletteFromProfile(u8 id, bool overCurrent)
{
    HlsPalette* palette = ConsolePaletteFor(id);
    if (!palette)
        return;
    if (!overCurrent)
        *palette = FactoryPaletteFor(id);
    HKEY section = OpenConsoleSection(id, false);
    ReadConsolePalette(section, *palette);
    CloseConsoleSection(section);
    if (!SetupDialogOpen)
        SetupPalette = *palette;
}

u32 ReadAixHftModeFromProfile()
{
    HKEY section = OpenConsoleSection(kEmuAixterm, false);
    if (!section)
        return Aixterm.hftMode;
    const u32 mode = SettingsReadDword(section, kHftModeName, Aixterm.hftMode, 1);
    CloseConsoleSection(section);
    return mode;
}

void ConsoleLoadSettings()
{
    const u8 id = RunningConsole();
    if (id == kNoEmulation)
        return;
    // The second pass of a load (the per-user copy over the machine-wide one) keeps what
    // the first found.
    LoadConsolePaletteFromProfile(id, KeepCurrentValues == 1);
    if (id == kEmuAixterm)
        Aixterm.hftMode = ReadAixHftModeFromProfile();
}

void ConsoleSaveSettings(int)
{
    const u8 id = RunningConsole();
    if (id == kNoEmulation)
        return;
    HKEY section = OpenConsoleSection(id, true);
    if (!section)
        return;
    WriteConsolePalette(section, *ConsolePaletteFor(id), FactoryPaletteFor(id));
    if (id == kEmuAixterm && Aixterm.hftMode == 0)
        SettingsWriteDword(section, kHftModeName, 0);
    CloseConsoleSection(section);
}
