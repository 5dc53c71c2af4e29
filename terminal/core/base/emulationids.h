// The 24 emulations: the one table of their ids, names and families, and what the core
// keeps of each whether or not its family is in this build (its own profile section and
// its default telnet terminal type). Everything else names an emulation by the
// constants below, never by its number.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u8 kEmuVt52 = 0;
constexpr u8 kEmuVt100 = 1;
constexpr u8 kEmuVt500Bit7 = 2;
constexpr u8 kEmuVt500Bit8 = 3;
constexpr u8 kEmuAnsiBbs = 4;
constexpr u8 kEmuScoConsole = 5;
constexpr u8 kEmuIbm3270 = 6;
constexpr u8 kEmuIbm5250 = 7;
constexpr u8 kEmuWy50 = 8;
constexpr u8 kEmuWy50Plus = 9;
constexpr u8 kEmuTvi910 = 10;
constexpr u8 kEmuTvi920 = 11;
constexpr u8 kEmuTvi925 = 12;
constexpr u8 kEmuAddsA2 = 13;
constexpr u8 kEmuHz1500 = 14;
constexpr u8 kEmuWy60 = 15;
constexpr u8 kEmuIbm3151 = 16;
constexpr u8 kEmuTa6530 = 17;
constexpr u8 kEmuHp70092 = 18;
constexpr u8 kEmuTvi955 = 19;
constexpr u8 kEmuDg410 = 20;
constexpr u8 kEmuAt386 = 21;
constexpr u8 kEmuTvi950 = 22;
constexpr u8 kEmuAixterm = 23;

constexpr int kEmulationCount = 24;
constexpr u8 kNoEmulation = 0xFF;  // "none" in a switch request
constexpr u8 kDefaultEmulationId = kEmuVt500Bit7;

// The bit of an emulation in a set of emulations (FamilyHooks::emulations).
constexpr u32 EmulationBit(u8 id)
{
    return id < kEmulationCount ? 1u << id : 0u;
}

enum class EmulationFamily : u8 {
    Vt,           // VT52, VT100, VT500 7-bit and 8-bit
    AnsiConsole,  // Ansi BBS, SCO Console, AT 386
    Aixterm,
    Ibm3270,
    Ibm5250,
    Wyse,  // the eight Wyse personalities
    Ibm3151,
    Ta6530,
    Hp700,
    Tvi,  // TVI 950 and 955
    Dg,
};

// The emulation's display name ("VT52" ... "AIXTerm"); "" for an unknown id.
const char* EmulationName(u8 id);
EmulationFamily FamilyOf(u8 id);
bool IsValidEmulationId(u8 id);
// The telnet terminal-type name of an emulation whose family does not name one by its
// model ("tty" for an unknown id).
const char* DefaultTerminalTypeName(u8 id);
// The profile section an emulation keeps for itself, kept by a save while another
// emulation runs; nullptr for the emulations whose values live in the shared sections.
const wchar16* EmulationSectionName(u8 id);

// The auxiliary port's Setup page is offered while the emulation runs.
bool EmulationOffersAuxPort(u8 id);

// Where an emulation keeps its character-set choice ("upss") and its font
// ("upssFont"): the section, the name of its upss value (nullptr for an emulation
// without one) and the defaults of both.
struct UpssPlace {
    const wchar16* section;
    const wchar16* name;
    i32 upssDefault;
    i32 fontDefault;
};
UpssPlace EmulationUpssPlace(u8 id);
// The sections a save writes a pair into, each once: its upss default and whether it
// keeps the font alone. UpssSectionOf gives the one an emulation's live pair goes to.
struct UpssSection {
    const wchar16* name;
    i32 upssDefault;
    bool fontOnly;
};
constexpr int kUpssSectionCount = 6;
const UpssSection& UpssSectionAt(int index);
int UpssSectionOf(u8 id);

bool IsVtFamily(u8 id);           // VT52, VT100, VT500 7-bit and 8-bit
bool IsAnsiConsoleFamily(u8 id);  // Ansi BBS, SCO Console, AT 386, AIXTerm
bool IsVtOrAnsiFamily(u8 id);
bool IsVt500Emulation(u8 id);  // VT500 7-bit and 8-bit
bool IsWyseFamily(u8 id);      // WY50 ... WY60
