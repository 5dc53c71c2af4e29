#include "terminal/emulations/hp700/charset/roman8.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/hp700/hp700.h"

namespace {

const u16 kLatinToRoman8[97] = {
#define HP_ROMAN8_FROM_LATIN1
#include "terminal/emulations/hp700/charset/roman8tables.inc"
#undef HP_ROMAN8_FROM_LATIN1
};

const u16 kRoman8ToLatin[97] = {
#define HP_ROMAN8_TO_LATIN1
#include "terminal/emulations/hp700/charset/roman8tables.inc"
#undef HP_ROMAN8_TO_LATIN1
};

const u16* g_toRoman8 = kLatinToRoman8;
const u16* g_toLatin = kRoman8ToLatin;

constexpr u8 kRoman8Currency = 0xBA;  // the euro's place in HP's later set
constexpr u8 kNationalSetWithReplacement = 5;

bool NationalReplacement()
{
    return !Hp700.settings.eightBits && KeyboardTypeIndex.load() == kNationalSetWithReplacement;
}

}  // namespace

void Hp700SetRoman8Tables(const u16* latinToRoman8, const u16* roman8ToLatin)
{
    if (!latinToRoman8 || !roman8ToLatin)
        latinToRoman8 = roman8ToLatin = nullptr;
    g_toRoman8 = latinToRoman8;
    g_toLatin = roman8ToLatin;
}

const u16* Hp700BuiltInLatinToRoman8()
{
    return kLatinToRoman8;
}

const u16* Hp700BuiltInRoman8ToLatin()
{
    return kRoman8ToLatin;
}

u8 Hp700LatinToRoman8(u8 code)
{
    if (code < 160 || !g_toRoman8)
        return code;
    return static_cast<u8>(g_toRoman8[code - 160] & 0xFF);
}

u8 Hp700Roman8ToLatin(u8 code)
{
    if (code < 160 || !g_toLatin)
        return code;
    return static_cast<u8>(g_toLatin[code - 160] & 0xFF);
}

u8 Hp700NationalCharIn(u8 code)
{
    return code == '@' && NationalReplacement() ? 201 : code;
}

u8 Hp700NationalCharOut(u8 code)
{
    return code == 201 && NationalReplacement() ? '@' : code;
}

void Hp700StoreCellChar(u8 code, ScreenCell* cell, bool displayFunctions)
{
    cell->flags = static_cast<u8>(cell->flags & ~kHpMarkControl);
    if (code < 32) {
        if (displayFunctions)
            cell->flags |= kHpMarkControl;
        cell->ch = code;
        return;
    }
    if (code >= 33 && code <= 127) {
        const u8 national = Hp700NationalCharIn(code);
        cell->ch = national >= 128 ? Hp700LatinToRoman8(national) : national;
        return;
    }
    cell->ch = code;
}

u8 Hp700ConvertDefinedChar(u8 code)
{
    if (!Hp700.settings.eightBits && code <= 127) {
        const u8 national = Hp700NationalCharIn(code);
        return national >= 128 ? Hp700LatinToRoman8(national) : national;
    }
    return code;
}

u8 Hp700SendCode(u8 code)
{
    if (Hp700.settings.eightBits || code < 128)
        return code;
    // Only the national replacement has a 7-bit counterpart; other codes go as they are.
    const u8 national = Hp700NationalCharOut(Hp700Roman8ToLatin(code));
    return national < 128 ? national : code;
}

u16 Hp700Roman8Char(u8 code)
{
    if (code == kRoman8Currency)
        return 0x20AC;
    return Hp700Roman8ToLatin(code);
}
