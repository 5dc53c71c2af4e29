#include "terminal/core/base/emulationids.h"

namespace {

struct EmulationEntry {
    const char* name;
    EmulationFamily family;
};

constexpr EmulationEntry kEmulations[kEmulationCount] = {
    {"VT52", EmulationFamily::Vt},
    {"VT100", EmulationFamily::Vt},
    {"VT500 7-Bit", EmulationFamily::Vt},
    {"VT500 8-Bit", EmulationFamily::Vt},
    {"Ansi BBS", EmulationFamily::AnsiConsole},
    {"SCO Console", EmulationFamily::AnsiConsole},
    {"IBM3270", EmulationFamily::Ibm3270},
    {"IBM5250", EmulationFamily::Ibm5250},
    {"WY50", EmulationFamily::Wyse},
    {"WY50+", EmulationFamily::Wyse},
    {"TVI910", EmulationFamily::Wyse},
    {"TVI920", EmulationFamily::Wyse},
    {"TVI925", EmulationFamily::Wyse},
    {"ADDS A2", EmulationFamily::Wyse},
    {"HZ1500", EmulationFamily::Wyse},
    {"WY60", EmulationFamily::Wyse},
    {"IBM3151", EmulationFamily::Ibm3151},
    {"TA6530", EmulationFamily::Ta6530},
    {"HP700-92/96", EmulationFamily::Hp700},
    {"TVI955", EmulationFamily::Tvi},
    {"DG 410/412", EmulationFamily::Dg},
    {"AT 386", EmulationFamily::AnsiConsole},
    {"TVI950", EmulationFamily::Tvi},
    {"AIXTerm", EmulationFamily::Aixterm},
};

// Families join this table as their emulations are built.
bool g_built[] = {
    true,   // Vt: the default emulation is always there
    false,  // AnsiConsole
    false,  // Aixterm
    false,  // Ibm3270
    false,  // Ibm5250
    false,  // Wyse
    false,  // Ibm3151
    false,  // Ta6530
    false,  // Hp700
    false,  // Tvi
    false,  // Dg
};

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

bool FamilyBuilt(EmulationFamily family)
{
    return g_built[static_cast<int>(family)];
}

void SetFamilyBuilt(EmulationFamily family, bool built)
{
    g_built[static_cast<int>(family)] = built || family == EmulationFamily::Vt;
}

bool IsVtFamily(u8 id)
{
    return id <= 3;
}

bool IsAnsiConsoleFamily(u8 id)
{
    return id == 4 || id == 5 || id == 21 || id == 23;
}

bool IsVtOrAnsiFamily(u8 id)
{
    return IsVtFamily(id) || IsAnsiConsoleFamily(id);
}

bool IsVt500Emulation(u8 id)
{
    return id == 2 || id == 3;
}

bool IsWyseFamily(u8 id)
{
    return id >= 8 && id <= 15;
}
