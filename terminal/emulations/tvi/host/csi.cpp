// The CSI repertoire on the core's table walker. Parameters are 32-bit and saturate;
// a count is cut to what it can change, so a huge count costs no more than a full one.
#include <cstring>

#include "terminal/core/host/escparser.h"
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"

namespace {

constexpr u32 kParamMost = 0x7FFFFFFF;

u32 g_params[kTviParameters + 1];

int Param(int i)
{
    if (i < 1 || i > static_cast<int>(Tvi.csiCount))
        return 0;
    return static_cast<int>(g_params[i]);
}

int Count(int i)
{
    const int n = Param(i);
    return n < 1 ? 1 : n;
}

void Digit()
{
    u32& slot = g_params[Tvi.csiCount];
    const u32 d = static_cast<u32>(CsiParameters.currentByte - '0');
    slot = slot > (kParamMost - d) / 10 ? kParamMost : slot * 10 + d;
    ++Tvi.csiDigits;
}

void Separator()
{
    if (Tvi.csiCount < kTviParameters)
        ++Tvi.csiCount;
    Tvi.csiDigits = 0;
}

void Marker()
{
    Tvi.csiMarker = CsiParameters.currentByte;
}

void Modes(bool set)
{
    for (int i = 1; i <= static_cast<int>(Tvi.csiCount); ++i) {
        switch (Param(i)) {
        case 1: TviSetDataBits(set); break;
        case 2: Tvi.set.attrMode = set ? 0 : 1; break;
        case 3: TviSetColumns(set ? 131 : 79); break;
        case 4: Tvi.set.marginBellOn = set ? 1 : 0; break;
        case 5:
            Tvi.intensityInverted = set;
            TviMarkAll();
            break;
        case 6: TviAutoLineFeed = set; break;
        case 7: Tvi.set.autoWrap = set ? 1 : 0; break;
        case 8: TviSetKeyRepeat(set); break;
        case 9: Tvi.editKey1Lf = set; break;
        case 10: Tvi.set.saveFunctionKeys = set ? 1 : 0; break;
        case 12: Tvi.escKeySends = set; break;
        case 14: Tvi.breakKey = set; break;
        default: break;  // 13 and the rest have no effect
        }
    }
}

void Values()
{
    if (Tvi.csiCount != 2)
        return;
    const int n = Param(2);
    switch (Param(1)) {
    case 0: TviSetCursorShape(n); break;
    case 3:
        if (n >= 0 && n <= 3) {
            Tvi.set.statusAttr = static_cast<u8>(n == 0 ? 0 : n == 1 ? 2 : n == 2 ? 4 : 6);
            TviApplyStatusAttribute();
        }
        break;
    case 4:
    case 5:
        if (n >= 0 && n <= 3)
            TviSetStatusRow(Param(1) == 4, n);
        break;
    case 7:
        if (n == 0 || n == 1)
            TviSelectBank(n);
        break;
    case 10:
        if (n == 0 || n == 1)
            TviSetTvi950(n == 1);
        break;
    default: break;
    }
}

void Final()
{
    const u8 f = CsiParameters.currentByte;
    const u8 marker = Tvi.csiMarker;
    if (marker == '=') {
        if (f == 'h' || f == 'l')
            Modes(f == 'h');
        return;
    }
    if (marker == '?') {
        if (f == 'n' && Param(1) == 6)
            TviCsiCursorReport(true);
        return;
    }
    if (marker != ' ')
        return;
    switch (f) {
    case '@': TviInsertChars(Count(1)); break;
    case 'A': TviCursorUp(Count(1)); break;
    case 'B': TviCursorDown(Count(1)); break;
    case 'C': TviCursorRight(Count(1)); break;
    case 'D': TviCursorLeft(Count(1)); break;
    case 'H':
    case 'f': TviMoveCursor(-1, Param(1) > 0 ? Param(1) - 1 : 0, Param(2) > 0 ? Param(2) - 1 : 0); break;
    case 'J':
        if (Param(1) <= 2)
            TviErasePage(Param(1), Tvi.set.fillChar);
        break;
    case 'K':
        if (Param(1) <= 2)
            TviEraseLine(Param(1), Tvi.set.fillChar);
        break;
    case 'L': TviInsertLines(Count(1)); break;
    case 'M': TviDeleteLines(Count(1)); break;
    case 'P': TviDeleteChars(Count(1)); break;
    case 'i':
        if (Tvi.csiCount == 2 && Param(1) == 0) {
            const int options = 47 - Param(2);
            TviPrintPage(static_cast<u8>(options & 1), static_cast<u8>((options >> 2) & 1));
        }
        break;
    case 'n':
        if (Param(1) == 6)
            TviCsiCursorReport(false);
        break;
    case 'r': {
        const int top = Param(1) > 0 ? Param(1) - 1 : 0;
        const int bottom = Tvi.csiCount >= 2 && Param(2) > 0 ? Param(2) - 1 : Tvi.set.displayHeight;
        TviSetScrollRegion(top, bottom);
        break;
    }
    case 'v': Values(); break;
    case '|': TviRunKey(Param(1)); break;
    case '}':
        if (Tvi.csiCount == 2 && Param(1) == 0 && Param(2) == 1)
            TviSaveInstance();
        else if (Tvi.csiCount == 2 && Param(1) == 1)
            TviShowPage(Param(2));
        break;
    default: break;  // accepted and ignored
    }
}

// The walker's bytes: 7 bits; a control character is carried out and ends the
// sequence, an ESC starts the next one.
int CsiByte()
{
    const int v = TviNextByte();
    if (v < 0)
        return 0;
    const u8 b = static_cast<u8>(v & 0x7F);
    if (b < 32) {
        if (b == 0x1B)
            TviGiveBackEscape();
        else
            TviControl(b);
        return 0;
    }
    return b;
}

extern const ParserRange kCsiState[];

constexpr auto kDigits = SameActions<10>(Digit, kCsiState);
constexpr ParserAction kSeparator[] = {{Separator, kCsiState}};
constexpr ParserAction kMarker[] = {{Marker, kCsiState}};
constexpr auto kFinals = SameActions<'~' - '@' + 1>(Final);

const ParserRange kCsiState[] = {
    {'0', '9', kDigits.data()}, {';', ';', kSeparator},     {'=', '=', kMarker},
    {'?', '?', kMarker},        {'@', '~', kFinals.data()}, {0, 0, nullptr},
};

}  // namespace

void TviBeginCsi()
{
    Tvi.csiCount = 1;
    Tvi.csiDigits = 0;
    Tvi.csiMarker = ' ';
    std::memset(g_params, 0, sizeof g_params);
    ParseWithStateTableFrom(kCsiState, CsiByte);
}
