// Block transmission of local editing: the area the profile's transfer options choose
// goes to the host in one block, guarded cells left out, each character in the set the
// block designates for it, rows ended by the end-of-line string and the block by the
// end-of-block string.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"

u8 BlockG1Choice();

namespace {

// The set classes of a block (the set codes of the character sets).
// clang-format off
enum SetClass : int {
    kClassNone = 0, kClassAscii = 1, kClassGraphics = 2, kClassNational = 3, kClassSupplemental = 5,
    kClassLatin1 = 6, kClassSoftFont = 7, kClassTechnical = 8,
};
// clang-format on

constexpr u16 kSub = 26, kRs = 30;

// The 7-bit fallbacks of the character modes 0 and 19: a Latin-1 code to the code that
// goes out, 0 for a code with no fallback (sent from Latin-1 instead).
int SevenBitFallback(int code)
{
    // clang-format off
    switch (code) {
    case 128: return 'f';
    case 129: return 215;
    case 130: return 221;
    case 131: return 247;
    case 160: return ' ';
    case 164: return 168;
    case 166: return '|';
    case 168: return '"';
    case 180: return '\'';
    case 190: return 179;
    case 255: return 253;
    case 172: case 173: case 174: case 175: case 184: case 208: case 215: case 221: case 222: case 240:
    case 247: case 253: case 254:
        return 0;
    default: return code;
    }
    // clang-format on
}

struct Designations {
    int g0 = kClassAscii, g1 = kClassNone;
    bool sevenBitOnly = false;
};

struct Block {
    Designations start, now;
    int blanks = 0;         // blanks counted, not yet sent (compression)
    bool skipping = false;  // inside a run of guarded cells
    int lastField = -1;     // the field bits of the last cell sent
};

void Send(u16 unit)
{
    HostSendChar(unit);
}

void SendFinal(int cls)
{
    switch (cls) {
    case kClassAscii: Send('B'); break;
    case kClassGraphics: Send('0'); break;
    case kClassNational: {
        u8 first = 'B', second = 'B';
        NationalFinals(KeyboardLanguage(), &first, &second);
        Send(second);
        break;
    }
    case kClassSupplemental:
        Send('%');
        Send('5');
        break;
    case kClassLatin1: Send('A'); break;
    case kClassSoftFont:
        for (u16 c : SoftFont.name)
            if (c)
                Send(c);
        break;
    case kClassTechnical: Send('>'); break;
    default: break;
    }
}

// Designates a class where the block needs it; 1 when the character then goes in GR.
int Designate(Designations& d, int cls)
{
    if (Vt300Values.edit_nosets && (cls == kClassSupplemental || cls == kClassLatin1))
        return 1;
    if (cls == kClassAscii || cls == kClassNational || d.sevenBitOnly) {
        if (d.g0 != cls) {
            Send(0x1B);
            Send('(');
            SendFinal(cls);
            d.g0 = cls;
        }
        return 0;
    }
    const int result = BlockG1Choice() ? 0 : 1;
    if (d.g1 == cls)
        return result;
    Send(0x1B);
    const bool set96 = cls == kClassLatin1 || (cls == kClassSoftFont && SoftFont.set96);
    if (set96)
        Send(BlockG1Choice() ? '-' : '.');
    else
        Send(BlockG1Choice() ? ')' : '*');
    SendFinal(cls);
    d.g1 = cls;
    return result;
}

// The class and the code a cell's character goes out as; class 0 and SUB when it has no
// form the block can send.
struct Outgoing {
    int cls;
    int code;
};

Outgoing Classify(const ScreenCell& cell, const Designations& d)
{
    const int code = cell.ch;
    const int glyphSet = cell.flags & kGlyphSetMask;
    if ((glyphSet == 3 && code >= 0x5F && code <= 0x7E) || code == 0x7F)
        return {kClassGraphics, code};
    if (glyphSet == 1) {
        if (!d.sevenBitOnly && code < 128 && SoftFont.name[0])
            return {kClassSoftFont, code};
        return {kClassNone, kSub};
    }
    if (glyphSet == 2)
        return code < 128 ? Outgoing{kClassTechnical, code} : Outgoing{kClassNone, kSub};
    if (!Vt300Values.mltnat && code != ' ') {
        if (const u8* table = NationalReplacementTable())
            for (const u8* p = table; p[0]; p += 2)
                if (p[1] == code && p[0] < 128)
                    return {kClassNational, p[0]};
    }
    if (code < 128)
        return {kClassAscii, code};
    if (d.sevenBitOnly)
        return {kClassNone, kSub};
    const u32 mode = PaintSettings.characterMode;
    if (mode == 0 || mode == 19) {
        const int fallback = SevenBitFallback(code);
        if (fallback && fallback < 128)
            return {kClassAscii, fallback};
        if (fallback)
            return {kClassSupplemental, fallback - 128};
    }
    return {kClassLatin1, code - 128};
}

void FlushBlanks(Block& b)
{
    for (; b.blanks > 0; --b.blanks) {
        const int gr = Designate(b.now, b.now.sevenBitOnly || Vt300Values.mltnat ? kClassAscii : kClassNational);
        Send(static_cast<u16>(' ' | (gr ? 0x80 : 0)));
    }
}

void SendLineEnd(const u8* codes, int count)
{
    for (int i = 0; i < count && codes[i]; ++i)
        Send(codes[i]);
}

void SendRow(Block& b, int row, int first, int last)
{
    const ScreenLineRecord* line = LineAt(row);
    if (!line)
        return;
    const Vt300Section& v = Vt300Values;
    for (int c = first; c <= last; ++c) {
        const ScreenCell& cell = line->cells[c];
        if (!v.edit_gatm && EditCellGuarded(row, c)) {
            if (!b.skipping && !v.edit_no_rs)
                Send(kRs);
            b.skipping = true;
            continue;
        }
        b.skipping = false;
        if (v.edit_satm && !(cell.rendition & kRendSelected))
            continue;
        const int field = cell.rendition & kFieldBits;
        if (b.lastField >= 0 && field != b.lastField) {
            if (v.edit_scm) {
                if (!v.edit_no_rs)
                    Send(kRs);
                b.blanks = 0;
            } else {
                FlushBlanks(b);
            }
        }
        b.lastField = field;
        const Outgoing out = Classify(cell, b.now);
        if (out.cls == kClassNone) {
            FlushBlanks(b);
            Send(static_cast<u16>(out.code));
            continue;
        }
        if (v.edit_scm && out.code == ' ') {
            ++b.blanks;
            continue;
        }
        FlushBlanks(b);
        const int gr = Designate(b.now, out.cls);
        Send(static_cast<u16>(out.code | (gr ? 0x80 : 0)));
    }
}

// A refused transmission: the lock the first time, the bell after.
void Refused()
{
    if (!LocalEdit.transmitLock)
        LocalEdit.transmitLock = 1;
    else
        RequestBell();
}

}  // namespace

void TransmitEditBlock()
{
    const Vt300Section& v = Vt300Values;
    if (v.edit_tx_defer) {
        static const wchar16 kCsi[] = {0xFF9B, 0};
        SendReport(kCsi);
        return;
    }
    if (v.inedit != 1)
        return;
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (row < Screen.top || row > Screen.bottom) {
        Refused();
        if (v.edit_satm && !v.edit_matm && !v.edit_gatm)
            EditNextUnguarded();
        return;
    }
    // The area, whole rows between its first and last cell.
    int firstRow = Screen.top, firstColumn = 0, lastRow = row, lastColumn = Screen.right;
    int afterRow = row, afterColumn = column;
    bool singleField = false;
    if (v.edit_satm && !v.edit_matm) {
        if (!v.edit_gatm && EditCellGuarded(row, column)) {
            Refused();
            EditNextUnguarded();
            return;
        }
        firstRow = lastRow = row;
        firstColumn = FieldStart(row, column);
        lastColumn = FieldEnd(row, column);
        singleField = true;
        afterColumn = lastColumn + 1;
        if (lastColumn >= Screen.right && row != Screen.bottom) {
            afterRow = row + 1;
            afterColumn = 0;
        } else if (afterColumn > Screen.right) {
            afterColumn = Screen.right;
        }
    } else if (v.edit_ltm) {
        firstRow = lastRow = row;
        afterColumn = 0;
        if (VtMode.newLineMode && row != Screen.bottom)
            afterRow = row + 1;
    } else if (v.edit_ttm) {
        firstRow = Screen.top;
        lastRow = Screen.bottom;
    } else {
        if (v.edit_131 && LocalEdit.transferRow >= Screen.top &&
            (LocalEdit.transferRow < row ||
             (LocalEdit.transferRow == row && LocalEdit.transferColumn <= column))) {
            firstRow = LocalEdit.transferRow;
            firstColumn = LocalEdit.transferColumn;
        }
        if (v.edit_131) {
            LocalEdit.transferRow = static_cast<i16>(row);
            LocalEdit.transferColumn = static_cast<i16>(column);
        }
        // Up to the cell before the cursor.
        if (column == 0 && row > firstRow) {
            lastRow = row - 1;
            lastColumn = Screen.right;
        } else {
            lastColumn = column - 1;
        }
    }

    Block b;
    b.start.g0 = Vt300Values.mltnat ? kClassAscii : kClassNational;
    b.start.sevenBitOnly = !Vt300Values.mltnat || EmulationId == kEmuVt100;
    if (!b.start.sevenBitOnly)
        b.start.g1 = PaintSettings.characterMode == 1 ? kClassLatin1 : kClassSupplemental;
    b.now = b.start;
    for (int r = firstRow; r <= lastRow; ++r) {
        const int from = r == firstRow ? firstColumn : 0;
        const int to = r == lastRow ? lastColumn : Screen.right;
        if (from <= to)
            SendRow(b, r, from, to);
        if (!v.edit_scm)
            FlushBlanks(b);
        b.blanks = 0;
        if (r == lastRow) {
            // The host's sets are as they were before the block.
            if (b.now.g0 != b.start.g0)
                Designate(b.now, b.start.g0);
            if (!b.start.sevenBitOnly && b.now.g1 != b.start.g1 && b.start.g1 != kClassNone)
                Designate(b.now, b.start.g1);
        }
        if (!singleField)
            SendLineEnd(v.edit_eol_ch, v.edit_eol_cnt);
    }
    SendLineEnd(v.edit_eob_ch, v.edit_eob_cnt);
    MoveCursorAbsolute(afterRow, afterColumn);
    if (singleField && !v.edit_gatm) {
        LocalEdit.transmitLock = 1;
        EditNextUnguarded();
    }
}
