// A typed character in the DEC and ANSI emulations' host character set: the
// character-set setting chooses the code page, and outside multinational mode only what
// the national replacement set can express reaches the host.
#include "terminal/core/screen/charsets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/dec/keys/ansikeys.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/keys/keytable.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kEuro = 8364;

bool Multinational()
{
    return Vt300Values.mltnat != 0;
}

// In national mode: a character of 128 or more is typed as the host code the national
// set shows it at; one below 128 only when the set leaves it where it is.
int ThroughNationalSet(int c)
{
    const u8* table = NationalReplacementTable();
    if (c < 128) {
        if (table)
            for (const u8* p = table; p[0]; p += 2)
                if (p[0] == c && p[1] != c)
                    return -1;
        return c;
    }
    if (table)
        for (const u8* p = table; p[0]; p += 2)
            if (p[1] == c && p[0] < 128)
                return p[0];
    return -1;
}

// The converters of the character-set settings 3 and 6-11; -1 for the others.
int ConvertByCharacterSet(int setting, int c)
{
    const u16 u = static_cast<u16>(c);
    switch (setting) {
    case kCharModeCentralEuropean: return UnicodeToCp1250(u);
    case kCharModeTurkish: return UnicodeToTurkish(u);
    case kCharModeCyrillic: return UnicodeToCyrillic(u);
    case kCharModeKoi8: return UnicodeToKoi8(u);
    case kCharModeTurkishAlt: return UnicodeToTurkishAlt(u);
    case kCharModeGreek: return UnicodeToGreek(u);
    case kCharModeHebrew: return UnicodeToHebrew(u);
    default: return -1;
    }
}

bool HasConverter(int setting)
{
    return setting == 3 || (setting >= 6 && setting <= 11);
}

// The settings without a converter of their own: the three DEC graphics that Latin-1
// lacks have no key, and the euro sign exists only in Latin-9.
int PlainSetting(int setting, int c)
{
    if (c >= 129 && c <= 131)
        return -1;
    if (c == 128)
        return 102;
    if (c == kEuro)
        return setting == kCharModeLatin9 ? 164 : -1;
    return c;
}

// The DEC multinational set (setting 0): Latin-1 characters placed elsewhere or missing.
int DecMultinational(int c)
{
    // clang-format off
    switch (c) {
    case 128: return 102;
    case 129: return 215;
    case 130: return 221;
    case 131: return 247;
    case 160: return 32;
    case 164: return 168;
    case 166: return 124;
    case 168: return 34;
    case 180: return 39;
    case 190: return 179;
    case 255: return 253;
    case 172: case 173: case 174: case 175: case 184: case 208: case 215: case 221: case 222: case 240:
    case 247: case 253: case 254:
        return -1;
    default: return c;
    }
    // clang-format on
}

int GeneralRules(int c)
{
    const int setting = PaintSettings.characterMode;
    if (setting == kCharModePcCodePage)
        return UnicodeToPcCodePage(c);
    if (Multinational() && c < 128)
        return c;
    int r;
    if (setting == 0)
        r = DecMultinational(c);
    else if (HasConverter(setting))
        r = ConvertByCharacterSet(setting, c);
    else
        r = PlainSetting(setting, c);
    if (r < 0 || Multinational())
        return r;
    return ThroughNationalSet(r);
}

}  // namespace

int DecTranslateTypedChar(int c)
{
    if (c == -1)
        return -1;
    if ((ShiftState & kAltBit) && c < 128)
        return c;
    return GeneralRules(c);
}
