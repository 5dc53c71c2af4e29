#include "terminal/core/base/emulationids.h"

namespace {

struct EmulationEntry {
    const char* name;
    EmulationFamily family;
    const char* terminalType;
    const wchar16* section;
    bool auxPort;  // the Setup page of the auxiliary port is offered
};

constexpr EmulationEntry kEmulations[kEmulationCount] = {
    {"VT52", EmulationFamily::Vt, "tty", nullptr, true},
    {"VT100", EmulationFamily::Vt, "tty", nullptr, true},
    {"VT500 7-Bit", EmulationFamily::Vt, "tty", nullptr, true},
    {"VT500 8-Bit", EmulationFamily::Vt, "tty", nullptr, true},
    {"Ansi BBS", EmulationFamily::AnsiConsole, "ansi", VXT("ScoConsole"), true},
    {"SCO Console", EmulationFamily::AnsiConsole, "ansi", VXT("ScoConsole"), true},
    {"IBM3270", EmulationFamily::Ibm3270, "tty", VXT("IBM3270"), false},
    {"IBM5250", EmulationFamily::Ibm5250, "tty", VXT("IBM5250"), false},
    {"WY50", EmulationFamily::Wyse, "ZARA-50", VXT("ZARA"), false},
    {"WY50+", EmulationFamily::Wyse, "ZARA-50", VXT("ZARA"), false},
    {"TVI910", EmulationFamily::Wyse, "TVI910", VXT("ZARA"), false},
    {"TVI920", EmulationFamily::Wyse, "TVI920", VXT("ZARA"), false},
    {"TVI925", EmulationFamily::Wyse, "TVI925", VXT("ZARA"), false},
    {"ADDS A2", EmulationFamily::Wyse, "ADDS-A2", VXT("ZARA"), false},
    {"HZ1500", EmulationFamily::Wyse, "HZ1500", VXT("ZARA"), false},
    {"WY60", EmulationFamily::Wyse, "ZARA-60", VXT("ZARA"), false},
    {"IBM3151", EmulationFamily::Ibm3151, "IBM-3151", VXT("IBM3151"), true},
    {"TA6530", EmulationFamily::Ta6530, "tn6530-8", VXT("TA6530"), false},
    {"HP700-92/96", EmulationFamily::Hp700, "tty", VXT("HP70092"), false},
    {"TVI955", EmulationFamily::Tvi, "TVI955", VXT("TVI955"), false},
    {"DG 410/412", EmulationFamily::Dg, "dg410", VXT("DG410"), false},
    {"AT 386", EmulationFamily::AnsiConsole, "at386-m", VXT("AT386"), false},
    {"TVI950", EmulationFamily::Tvi, "TVI950", VXT("TVI955"), false},
    {"AIXTerm", EmulationFamily::Aixterm, "aixterm", VXT("AIXTerm"), false},
};

constexpr UpssSection kUpssSections[kUpssSectionCount] = {
    {VXT("VT300"), 0, false},  {VXT("HP70092"), 2, false}, {VXT("IBM3151"), 0, false},
    {VXT("TA6530"), 1, false}, {VXT("TVI955"), 0, true},   {VXT("ZARA"), 0, true},
};
constexpr int kVt300 = 0, kHp = 1, kIbm3151 = 2, kTa6530 = 3, kTvi955 = 4, kZara = 5;

}  // namespace

bool IsValidEmulationId(u8 id)
{
    return id < kEmulationCount;
}

const char* EmulationName(u8 id)
{
    return IsValidEmulationId(id) ? kEmulations[id].name : "";
}

EmulationFamily FamilyOf(u8 id)
{
    return IsValidEmulationId(id) ? kEmulations[id].family : EmulationFamily::Vt;
}

const char* DefaultTerminalTypeName(u8 id)
{
    return IsValidEmulationId(id) ? kEmulations[id].terminalType : "tty";
}

bool EmulationOffersAuxPort(u8 id)
{
    return IsValidEmulationId(id) && kEmulations[id].auxPort;
}

const wchar16* EmulationSectionName(u8 id)
{
    return IsValidEmulationId(id) ? kEmulations[id].section : nullptr;
}

bool IsVtFamily(u8 id)
{
    return FamilyOf(id) == EmulationFamily::Vt && IsValidEmulationId(id);
}

bool IsAnsiConsoleFamily(u8 id)
{
    return IsValidEmulationId(id) &&
           (FamilyOf(id) == EmulationFamily::AnsiConsole || FamilyOf(id) == EmulationFamily::Aixterm);
}

bool IsVtOrAnsiFamily(u8 id)
{
    return IsVtFamily(id) || IsAnsiConsoleFamily(id);
}

bool IsVt500Emulation(u8 id)
{
    return id == kEmuVt500Bit7 || id == kEmuVt500Bit8;
}

bool IsWyseFamily(u8 id)
{
    return IsValidEmulationId(id) && FamilyOf(id) == EmulationFamily::Wyse;
}

UpssPlace EmulationUpssPlace(u8 id)
{
    // clang-format off
    switch (FamilyOf(id)) {
    case EmulationFamily::AnsiConsole:
        return {VXT("VT300"), VXT("ansi386_upss"), 4, 0};
    case EmulationFamily::Ibm3151:
        return {VXT("IBM3151"), VXT("upss"), 0, 0};
    case EmulationFamily::Ta6530:
        return {VXT("TA6530"), VXT("upss"), 1, 0};
    case EmulationFamily::Hp700:
        return {VXT("HP70092"), VXT("upss"), 2, 0};
    case EmulationFamily::Tvi:
        return {VXT("TVI955"), nullptr, 0, -1};
    case EmulationFamily::Dg:
        return {VXT("VT300"), nullptr, 0, 0};
    case EmulationFamily::Wyse:
        return {VXT("ZARA"), VXT("upss"), 1, -1};
    default:
        return {VXT("VT300"), VXT("upss"), 0, 0};
    }
    // clang-format on
}

const UpssSection& UpssSectionAt(int index)
{
    return kUpssSections[index >= 0 && index < kUpssSectionCount ? index : kVt300];
}

int UpssSectionOf(u8 id)
{
    switch (FamilyOf(id)) {
    case EmulationFamily::Hp700: return kHp;
    case EmulationFamily::Ibm3151: return kIbm3151;
    case EmulationFamily::Ta6530: return kTa6530;
    case EmulationFamily::Tvi: return kTvi955;
    case EmulationFamily::Wyse: return kZara;
    default: return kVt300;
    }
}
