#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/nationalsets.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

CharsetExtraState Charsets;

namespace {

// Two finals per keyboard language 0-15 (and one for 16): the national replacement set
// a language's keyboard selects.
constexpr char kNationalFinalTable[] = "BBAARRQQE6C5KK44YY====H7E6RRZZKK<";
constexpr int kNationalFinalCount = sizeof kNationalFinalTable - 1;

// By keyboard language 0-15, in the order of the final table.
constexpr const u8* kNationalSets[16] = {
    nullptr,     kNrcBritish, kNrcFrench, kNrcFrenchCanadian, kNrcNorwegianDanish, kNrcFinnish,         kNrcGerman,
    kNrcDutch,   kNrcItalian, kNrcSwiss,  kNrcSwiss,          kNrcSwedish,         kNrcNorwegianDanish, kNrcFrench,
    kNrcSpanish, kNrcGerman,
};

u8 UserPreferredSize()
{
    return UserPreferredIs96() ? 1 : 0;
}

// The remaining bytes of an unknown multi-byte designation: up to its final.
void SkipToFinal()
{
    for (int b = NextSequenceByte(); b != 0 && b < '0'; b = NextSequenceByte()) {
    }
}

// The soft set's name continues with these bytes: read them, giving back on mismatch.
bool ReadRestOfSoftName()
{
    const u16* name = SoftFont.name;
    int read[2];
    for (int i = 1; i < 3 && name[i]; ++i) {
        const int b = NextSequenceByte();
        if (b == 0)
            return false;
        read[i - 1] = b;
        if (b != name[i]) {
            for (int k = i - 1; k >= 0; --k)
                PushBackInputByte(static_cast<u8>(read[k]));
            return false;
        }
    }
    return true;
}

// The set code a final gives, 0 when the designation is dropped.
int CodeOfFinal(int f, bool is96)
{
    if (f == 'A')
        return is96 ? kSetLatin1 : kSetNational;
    const bool vt500 = IsVt500Emulation();
    if (f >= '0' && f <= 'V') {
        const bool upss19 = PaintSettings.characterMode == 19;
        // clang-format off
        switch (f) {
        case '0': case '3': return kSetDecGraphics;
        case 'B': return kSetAscii;
        case 'D': return 15;
        case '<': return vt500 ? kSetUserPreferred : 0;
        case '>': return upss19 ? 9 : (vt500 ? kSetDecTechnical : 0);
        case ':': if (upss19) return 13; break;
        case ';': if (upss19) return 12; break;
        case '?': if (upss19) return 10; break;
        case 'V': if (upss19) return 11; break;
        default: break;
        }
        // clang-format on
    }
    if (Vt300Values.mltnat)
        return 0;
    u8 a = 0, b = 0;
    if (NationalFinals(KeyboardLanguage(), &a, &b) && (f == a || f == b))
        return kSetNational;
    return 0;
}

bool PassesSizeCheck(int code, bool is96)
{
    // clang-format off
    switch (code) {
    case kSetDecGraphics: case kSetNational: case kSetDecSupplemental: case 15: return !is96;
    case kSetUserPreferred: return is96 == UserPreferredIs96();
    case kSetLatin1: return is96;
    default: return true;
    }
    // clang-format on
}

void SetGr(int g)
{
    if (IsVt500Emulation())
        VtMode.grSet = static_cast<u8>(g);
}

}  // namespace

bool NationalFinals(int language, u8* first, u8* second)
{
    if (language < 0 || 2 * language >= kNationalFinalCount)
        return false;
    *first = static_cast<u8>(kNationalFinalTable[2 * language]);
    *second = 2 * language + 1 < kNationalFinalCount ? static_cast<u8>(kNationalFinalTable[2 * language + 1])
                                                     : *first;
    return true;
}

bool UserPreferredIs96()
{
    return PaintSettings.characterMode != 0;
}

int KeyboardLanguage()
{
    return KeyboardTypeIndex;
}

const u8* NationalReplacementTable()
{
    const int language = KeyboardLanguage();
    return language >= 0 && language < 16 ? kNationalSets[language] : nullptr;
}

void DesignateCharset(int g, bool is96)
{
    const int f = NextSequenceByte();
    if (f == 0)
        return;
    int code = 0;
    if (SoftFont.name[0] && f == SoftFont.name[0] && (is96 == (SoftFont.set96 != 0) || SixteenColourMode())) {
        if (!ReadRestOfSoftName())
            return;
        code = kSetSoftFont;
    } else if (f < '0') {
        if (f == '%') {
            const int b = NextSequenceByte();
            if (b == '5' && !is96)
                code = kSetDecSupplemental;
            else if (b != 0 && b < '0')
                SkipToFinal();
        } else {
            SkipToFinal();
        }
    } else {
        code = CodeOfFinal(f, is96);
    }
    if (code == 0 || !PassesSizeCheck(code, is96))
        return;
    VtMode.designation[g] = static_cast<u8>(code);
    VtMode.set96[g] = is96 ? 1 : 0;
}

// clang-format off
void DesignateG0() { DesignateCharset(0, false); }
void DesignateG1() { DesignateCharset(1, false); }
void DesignateG2() { DesignateCharset(2, false); }
void DesignateG3() { DesignateCharset(3, false); }
void DesignateG1Of96() { DesignateCharset(1, true); }
void DesignateG2Of96() { DesignateCharset(2, true); }
void DesignateG3Of96() { DesignateCharset(3, true); }
// clang-format on

void ResetCharsets()
{
    VtMode.singleShift = -1;
    CurrentRendition &= static_cast<u8>(~kRendInvisible);
    const u8 id = EmulationId;
    // VT52 and AIXTerm keep two sets: the national or ASCII set and DEC graphics.
    if (id == kEmuVt52 || id == kEmuAixterm) {
        VtMode.designation[0] = Vt300Values.mltnat ? kSetAscii : kSetNational;
        VtMode.designation[1] = kSetDecGraphics;
        for (u8& f : VtMode.set96)
            f = 0;
        VtMode.glSet = VtMode.grSet = 0;
        Charsets.setDisplayFlag = 0;
        return;
    }
    VtMode.set96[0] = VtMode.set96[1] = 0;
    if (Vt300Values.mltnat) {
        VtMode.designation[0] = VtMode.designation[1] = kSetAscii;
        VtMode.designation[2] = VtMode.designation[3] = kSetUserPreferred;
        VtMode.set96[2] = VtMode.set96[3] = UserPreferredSize();
        VtMode.grSet = 2;
    } else {
        for (u8& d : VtMode.designation)
            d = kSetNational;
        VtMode.set96[2] = VtMode.set96[3] = 0;
        VtMode.grSet = 0;
    }
    VtMode.glSet = 0;
    ForgetSoftFontName();
    Charsets.setDisplayFlag = 0;
}

void LockShift2()
{
    if (IsVt500Emulation())
        VtMode.glSet = 2;
}

void LockShift3()
{
    if (IsVt500Emulation())
        VtMode.glSet = 3;
}

void LockShift3Right()
{
    SetGr(3);
}

void LockShift2Right()
{
    if (IsVt500Emulation())
        SetGr(2);
    else if (EmulationId == kEmuVt100)
        Vt100TestCommand();
}

void LockShift1Right()
{
    if (IsVt500Emulation())
        SetGr(1);
    else
        ClearUserDefinedKeys();
}

void SingleShift2()
{
    VtMode.singleShift = 2;
}

void SingleShift3()
{
    VtMode.singleShift = 3;
}

void ApplyUserPreferredSet()
{
    for (int g = 0; g < 4; ++g)
        if (VtMode.designation[g] == kSetUserPreferred)
            VtMode.set96[g] = UserPreferredSize();
}

void AssignUserPreferredSet()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ') {
        SkipControlString();
        return;
    }
    const int kind = Param(1);
    u8 name[4];
    const int n = ReadStringText(name, sizeof name);
    const bool decSupplemental = kind == 0 && n == 2 && name[0] == '%' && name[1] == '5';
    const bool latin1 = kind == 1 && n == 1 && name[0] == 'A';
    if (decSupplemental || latin1) {
        PaintSettings.characterMode = decSupplemental ? 0 : 1;
        ApplyUserPreferredSet();
        RepaintScreen();
    }
}

void LoadSoftFont()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ') {
        SkipControlString();
        return;
    }
    u16 parameters[8];
    for (int i = 0; i < 8; ++i)
        parameters[i] = static_cast<u16>(Param(i + 1));
    if (!BeginSoftFontLoad(parameters, ParamCount() < 8 ? ParamCount() : 8, TerminalId)) {
        SkipControlString();
        return;
    }
    // The Dscs: intermediates, then the final (0x30 and above) ends it.
    u8 name[3];
    int length = 0;
    int b = ReadStringByte();
    while (b != kStringEnd && length < 3) {
        if (b < 0x20 || b > 0x7E)
            break;
        name[length++] = static_cast<u8>(b);
        if (b >= 0x30)
            break;
        b = ReadStringByte();
    }
    if (b == kStringEnd || length == 0) {
        EndSoftFontLoad();
        return;
    }
    SetSoftFontName(name, length);
    for (int g = 0; g < 4; ++g)
        if (VtMode.designation[g] == kSetSoftFont)
            VtMode.set96[g] = SoftFont.set96;
    for (b = ReadStringByte(); b != kStringEnd; b = ReadStringByte())
        FeedSoftFontByte(static_cast<u8>(b));
    EndSoftFontLoad();
    RepaintScreen();
}

void FillScreenWith(u8 ch)
{
    SetTopBottomMargins(0, 0);
    SetLeftRightMargins(0, 0);
    const ScreenCell cell{ch, CurrentColour, kRendWritten, 0};
    for (int row = 0; row < Screen.pageLength; ++row)
        if (ScreenLineRecord* line = LineAt(row))
            for (int c = 0; c < kStoreColumns; ++c)
                line->cells[c] = cell;
    HomeCursor();
    RepaintScreen();
}

void AlignmentDisplay()
{
    FillScreenWith('E');
}

void Vt100TestCommand()
{
    const int which = NextSequenceByte();
    switch (which) {
    case '1': {
        const int b = ReadStringByte();
        if (b != kStringEnd)
            FillScreenWith(static_cast<u8>(b));
        break;
    }
    case '2':
        // A pattern of every printable character, a different colour on each row.
        for (int row = 0; row < Screen.pageLength; ++row)
            if (ScreenLineRecord* line = LineAt(row))
                for (int c = 0; c < kStoreColumns; ++c)
                    line->cells[c] = ScreenCell{static_cast<u8>(48 + c % 80), static_cast<u8>(1 + row % 7),
                                                static_cast<u8>(kRendWritten | (row % 4 == 3 ? kRendReverse : 0)),
                                                0};
        RepaintScreen();
        break;
    case 'A': PanViewDown(1); break;
    case 'B': PanViewUp(1); break;
    case 'C':
        NextSequenceByte();
        NextSequenceByte();
        break;
    default: break;  // '3', 'X' and the display test modes change nothing here
    }
}
