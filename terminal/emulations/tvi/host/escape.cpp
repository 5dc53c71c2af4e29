// The ESC repertoire: one call carries out ESC and its byte, pulling any arguments.
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

// A cursor-address column: a byte offset by 32, or "~" and a byte b for column b + 48.
int AddressColumn(int x)
{
    if (x == '~') {
        const int b = TviNextByte();
        return b < 0 ? -1 : b + 48;
    }
    return x - 32;
}

void CursorAddress(int page)
{
    const int r = TviNextByte();
    if (r < 0)
        return;
    const int x = TviNextByte();
    if (x < 0)
        return;
    const int column = AddressColumn(x);
    if (column < 0 && x == '~')
        return;
    TviMoveCursor(page, r - 32, column);
}

int HexDigit(int b)
{
    if (b >= '0' && b <= '9')
        return b - '0';
    if (b >= 'A' && b <= 'F')
        return b - 'A' + 10;
    if (b >= 'a' && b <= 'f')
        return b - 'a' + 10;
    return -1;
}

void Options(int how)
{
    const int h1 = TviNextByte();
    if (h1 < 0)
        return;
    const int h2 = TviNextByte();
    if (h2 < 0)
        return;
    const int a = HexDigit(h1), b = HexDigit(h2);
    if (a < 0 || b < 0)
        return;
    const u32 value = static_cast<u32>(a * 16 + b);
    const u32 before = Tvi.set.options;
    if (how == '&')
        Tvi.set.options &= ~value;
    else if (how == '|')
        Tvi.set.options |= value;
    else
        Tvi.set.options = value;
    if ((before ^ Tvi.set.options) & kTviOptEditSet)
        TviEditSetChanged();
}

void Tilde()
{
    const int x = TviNextByte();
    switch (x) {
    case '&':
    case '|':
    case '=': Options(x); break;
    case '0': TviFullReset(false); break;
    case '1': TviFullReset(true); break;
    case '2': TviDefaultKeys(true, false); break;
    case '3': TviDefaultKeys(false, true); break;
    default: break;
    }
}

void Answerback()
{
    int n = 0;
    for (;;) {
        const int b = TviNextByte();
        if (b < 0 || b == 0x19)
            break;
        if (n < 16)
            Vt300Values.ans_back[n++] = static_cast<wchar16>(b);
    }
    Vt300Values.ans_back[n] = 0;
}

void Separators()
{
    const int n = TviNextByte();
    if (n < 0)
        return;
    const int a = TviNextByte();
    if (a < 0)
        return;
    const int b = TviNextByte();
    if (b < 0)
        return;
    const int pair = n - '0';
    if (pair < 0 || pair > 4)
        return;
    Tvi.set.terms[pair * 2] = static_cast<u16>(a);
    Tvi.set.terms[pair * 2 + 1] = static_cast<u16>(b);
}

void SetProtect(bool on)
{
    Tvi.set.protect = on ? 1 : 0;
    TviShowIndicators();
}

void SetWriteProtect(bool on)
{
    Tvi.set.writeProtect = on ? 1 : 0;
    TviShowIndicators();
}

void Duplex()
{
    const int x = TviNextByte();
    if (x == 'H' || x == 'F') {
        LocalEcho = x == 'H' ? 1 : 0;
        LocalMode = 0;
    } else if (x >= 0) {
        PushBackInputByte(static_cast<u8>(x));
    }
}

}  // namespace

void TviParseEscape(u8 e)
{
    switch (e) {
    case 0x02:
    case 0x03: TviWriteChar(e, kTviGlyphPlain); break;
    case '!': {
        const int x = TviNextByte();
        if (x >= 0)
            TviLockRow(x == '1');
        break;
    }
    case '"':
        Tvi.keyboardLocked = false;
        TviKeyboardLockChanged();
        break;
    case '#':
        Tvi.keyboardLocked = true;
        TviKeyboardLockChanged();
        break;
    case '$':
        Tvi.graphics = true;
        TviShowIndicators();
        break;
    case '%':
        Tvi.graphics = false;
        TviShowIndicators();
        break;
    case '&':
        Tvi.set.pageEditMode = 0;
        SetProtect(true);
        break;
    case '\'': SetProtect(false); break;
    case '(': SetWriteProtect(false); break;
    case ')': SetWriteProtect(true); break;
    case '*':
        Tvi.set.writeProtect = 0;
        SetProtect(false);
        TviHome();
        TviClearPage(0, false);
        break;
    case '+':
        if (!Tvi.tvi950) {
            Tvi.set.writeProtect = 0;
            SetProtect(false);
        }
        TviHome();
        TviClearPage(Tvi.set.fillChar, Tvi.set.protect != 0);
        break;
    case ',': TviClearToProtectedBlanks(); break;
    case '-': {
        const int p = TviNextByte();
        if (p >= 0)
            CursorAddress(p - '0');
        break;
    }
    case '.': {
        const int x = TviNextByte();
        if (x >= '0' && x <= '4')
            Tvi.cursorStyle = static_cast<u8>(x - '0');
        break;
    }
    case '/': TviCursorReport(true); break;
    case '0': TviHostLoadEditKey(); break;
    case '1': TviTabStops[Tvi.cursorColumn] = 1; break;
    case '2': TviTabStops[Tvi.cursorColumn] = 0; break;
    case '3':
        for (u8& stop : TviTabStops)
            stop = 0;
        break;
    case '4': TviSendRowToCursor(true); break;
    case '6': TviSendRowToCursor(false); break;
    case '5': TviSendPageToCursor(true); break;
    case '7': TviSendPageToCursor(false); break;
    case ':':
        TviHome();
        TviClearPage(0, Tvi.set.protect != 0);
        break;
    case ';':
        TviHome();
        TviClearPage(Tvi.set.fillChar, Tvi.set.protect != 0);
        break;
    case '=': CursorAddress(-1); break;
    case '?': TviCursorReport(false); break;
    case '@': TviStartPrint(kTviPrintCopy); break;
    case 'A':
    case 'a': TviEndPrint(); break;
    case 'B':
        if (!Tvi.set.blockMode)
            Tvi.savedEcho = LocalEcho != 0;
        Tvi.set.blockMode = 1;
        LocalEcho = 1;
        break;
    case 'C':
        if (Tvi.set.blockMode)
            LocalEcho = Tvi.savedEcho ? 1 : 0;
        Tvi.set.blockMode = 0;
        break;
    case 'D': Duplex(); break;
    case 'E': TviInsertLines(1); break;
    case 'F': {
        const int x = TviNextByte();
        if (x >= 0)
            Tvi.set.attrSpace = x == '1' ? 0 : 1;
        break;
    }
    case 'G': {
        const int x = TviNextByte();
        if (x >= 0)
            TviAttribute(static_cast<u8>(x));
        break;
    }
    case 'H': {
        const int w = TviNextByte();
        if (w < 0)
            break;
        const int h = TviNextByte();
        if (h >= 32 && w >= 32)
            TviBox(w - 32, h - 32);
        break;
    }
    case 'I': TviBackTab(); break;
    case 'J': TviPreviousPage(); break;
    case 'K': TviNextPage(); break;
    case 'L': TviPrintPage(1, 0); break;
    case 'P': TviPrintPage(0, 1); break;
    case 'M': TviIdentify(); break;
    case 'N':
        if (!Tvi.set.protect) {
            Tvi.set.pageEditMode = 1;
            TviShowIndicators();
        }
        break;
    case 'O':
        Tvi.set.pageEditMode = 0;
        TviShowIndicators();
        break;
    case 'Q': TviInsertChars(1); break;
    case 'R': TviDeleteLines(1); break;
    case 'S': TviSendMessage(true); break;
    case 's': TviSendMessage(false); break;
    case 'T': TviEraseLine(0, Tvi.set.fillChar); break;
    case 't': TviEraseLine(0, 0); break;
    case 'U':
        Tvi.set.monitor = 1;
        Tvi.monitorEscape = false;
        break;
    case 'u':
    case 'X': Tvi.set.monitor = 0; break;
    case 'W': TviDeleteChars(1); break;
    case 'Y': TviErasePage(0, Tvi.set.fillChar); break;
    case 'y': TviErasePage(0, 0); break;
    case 'Z': {
        const int x = TviNextByte();
        if (x >= 0)
            TviSendStatusRow(x == '1' ? kTviStatusLine : x == '2' ? kTviUserLine2 : kTviUserLine);
        break;
    }
    case '[': TviBeginCsi(); break;
    case '\\': {
        const int x = TviNextByte();
        if (x >= '1' && x <= '3')
            TviSetPageSize(x == '1' ? 4 : x == '2' ? 2 : 1);
        break;
    }
    case ']': TviHostLoadEditKeys(); break;
    case '^': Answerback(); break;
    case '_': {
        const int x = TviNextByte();
        if (x < 0)
            break;
        const int y = TviNextByte();
        if (y < 0)
            break;
        const int line = x == '0' ? kTviStatusLine : x == '1' ? kTviUserLine : x == '2' ? kTviUserLine2 : 0;
        if (line)
            TviStartLineLoad(line, y == '0');
        break;
    }
    case '`': TviStartPrint(kTviPrintTransparent); break;
    case 'b': TviReverseScreen(true); break;
    case 'd': TviReverseScreen(false); break;
    case 'c': LocalMode = 1; break;
    case 'e': {
        const int x = TviNextByte();
        if (x >= 0)
            Tvi.set.fillChar = static_cast<u8>(x);
        break;
    }
    case 'f': TviStartLineLoad(kTviUserLine, true); break;
    case 'g': TviSetStatusRow(false, 2); break;
    case 'h': TviSetStatusRow(false, 1); break;
    case 'i': TviTab(); break;
    case 'j': TviReverseLineFeed(); break;
    case 'k': Tvi.set.localEditKeys = 1; break;
    case 'l': Tvi.set.localEditKeys = 0; break;
    case 'n':
    case 'o':
        Tvi.screenOn = e == 'n';
        TviMarkAll();
        break;
    case 'p': {
        const int x = TviNextByte();
        if (x >= 0)
            Tvi.set.pageTerms[0] = static_cast<u16>(x);
        break;
    }
    case 'q':
    case 'r':
        Tvi.set.insertMode = e == 'q' ? 1 : 0;
        TviShowInsertState();
        break;
    case 'v': Tvi.autoPage = true; break;
    case 'w': Tvi.autoPage = false; break;
    case 'x': Separators(); break;
    case '{':
    case '}':
        for (int i = 0; i < 4; ++i)
            if (TviNextByte() < 0)
                break;
        break;
    case '|': TviHostLoadFunctionKeys(); break;
    case '~': Tilde(); break;
    default: break;
    }
}
