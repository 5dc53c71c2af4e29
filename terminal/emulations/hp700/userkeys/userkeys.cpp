// The user keys live in 16 line records laid out as the terminal's definition screen:
// per key a header line (its name, attribute and the two label halves) and a string
// line. The definition screen shows these very records in the window, so a definition
// typed there and one the host sends end in the same cells.
#include "terminal/emulations/hp700/userkeys/userkeys.h"

#include <algorithm>
#include <cstdio>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/keys/keys.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"

namespace {

constexpr u8 kEsc = 0x1B, kCr = 0x0D, kLf = 0x0A;
constexpr int kHeaderCells = 30;
constexpr char kAttributes[3] = {'N', 'L', 'T'};

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

void Bell()
{
    if (Hp700.settings.bell)
        RequestBell();
}

HpLine& Header(int k)
{
    return Hp700.userKeyLines[2 * (k - 1)];
}

HpLine& StringLine(int k)
{
    return Hp700.userKeyLines[2 * k - 1];
}

// A cell of the definition screen: its text, and whether it takes input (with a field
// mark where an input field starts).
void Protect(ScreenCell& c, bool unprotected, bool start)
{
    c.colour = 0;
    c.rendition = unprotected ? kHpUnprotected : kHpOutsideField;
    c.flags = start ? kHpMarkField : 0;
}

void LayOutHeader(int k)
{
    HpLine& h = Header(k);
    for (int c = 0; c < kHpLineCells; ++c) {
        const bool attribute = c == kHpKeyAttributeColumn;
        const bool half1 = c >= kHpKeyLabelColumn1 && c < kHpKeyLabelColumn1 + kHpKeyLabelHalf;
        const bool half2 = c >= kHpKeyLabelColumn2 && c < kHpKeyLabelColumn2 + kHpKeyLabelHalf;
        const bool field = attribute || half1 || half2;
        const bool start = attribute || c == kHpKeyLabelColumn1 || c == kHpKeyLabelColumn2 ||
                           c == kHpKeyAttributeColumn + 1 || c == kHpKeyLabelColumn1 + kHpKeyLabelHalf ||
                           c == kHpKeyLabelColumn2 + kHpKeyLabelHalf;
        Protect(h.cells[c], field, start);
        if (!field && c < kHeaderCells)
            h.cells[c].ch = ' ';
    }
    h.cells[0].ch = 'f';
    h.cells[1].ch = static_cast<u8>('0' + k);
    const char* label = "LABEL";
    for (int i = 0; i < 5; ++i)
        h.cells[6 + i].ch = static_cast<u8>(label[i]);
    h.used = 1;
    h.entryColumn = kHpNoEntryColumn;
}

void LayOutString(int k)
{
    HpLine& s = StringLine(k);
    for (int c = 0; c < kHpLineCells; ++c)
        Protect(s.cells[c], c < kHpKeyStringUnits, c == 0 || c == kHpKeyStringUnits);
    s.used = 1;
    s.entryColumn = kHpNoEntryColumn;
}

void SetLabel(int k, const u8* label, int n)
{
    HpLine& h = Header(k);
    for (int i = 0; i < 2 * kHpKeyLabelHalf; ++i) {
        const int column = i < kHpKeyLabelHalf ? kHpKeyLabelColumn1 + i : kHpKeyLabelColumn2 + i - kHpKeyLabelHalf;
        h.cells[column].ch = i < n ? label[i] : ' ';
    }
}

void SetString(int k, const u8* text, int n)
{
    HpLine& s = StringLine(k);
    for (int c = 0; c < kHpKeyStringUnits; ++c)
        s.cells[c].ch = c < n ? text[c] : 0;
}

// The definition screen's rows of key k changed.
void RepaintKey(int k)
{
    if (ConfigMenu())
        Hp700RepaintRows(2 * (k - 1), 2 * k - 1);
    if (Hp700.menu == kHpMenuUserKeys || ConfigMenu())
        Hp700BuildUserKeyLabels();
}

// Reads n announced characters of data, keeping the first `keep` (converted as defined
// characters); a stop of the reader ends it early. The number kept.
int ReadDefined(int n, u8* out, int keep)
{
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        const int b = Hp700NextDataByte();
        if (b < 0)
            break;
        if (kept < keep)
            out[kept++] = Hp700ConvertDefinedChar(static_cast<u8>(b));
    }
    return kept;
}

u8 Upper(u8 t)
{
    return t >= 'a' && t <= 'z' ? static_cast<u8>(t - 32) : t;
}

void Queue(const char* text)
{
    for (; *text; ++text)
        Hp700QueueSendUnit(static_cast<u8>(*text));
}

// A string's code as it goes to the host, or as the emulation takes it as received.
u8 OutCode(u8 code)
{
    return Hp700SendCode(code);
}

// Key k's string executed here, as if received.
void ExecuteLocally(int k)
{
    u8 text[kHpKeyStringUnits];
    const int n = Hp700UserKeyString(k, text);
    for (int i = 0; i < n; ++i)
        text[i] = OutCode(text[i]);
    if (n > 0)
        InjectHostText(text, n);
}

}  // namespace

void Hp700DefaultUserKeyLines()
{
    for (int k = 1; k <= kHpUserKeys; ++k) {
        LayOutHeader(k);
        LayOutString(k);
        Header(k).cells[kHpKeyAttributeColumn].ch = 'T';
        u8 label[8];
        std::snprintf(reinterpret_cast<char*>(label), sizeof label, "   f%d  ", k);
        SetLabel(k, label, 8);
        const u8 text[2] = {kEsc, static_cast<u8>('p' + k - 1)};
        SetString(k, text, 2);
    }
    if (Hp700Running())
        Hp700BuildUserKeyLabels();
    if (ConfigMenu())
        Hp700RepaintRows(0, kHpScreenRows - 1);
}

u8 Hp700UserKeyAttribute(int k)
{
    return Header(k).cells[kHpKeyAttributeColumn].ch;
}

int Hp700UserKeyString(int k, u8* out)
{
    const HpLine& s = StringLine(k);
    int n = 0;
    while (n < kHpKeyStringUnits && s.cells[n].ch != 0) {
        out[n] = s.cells[n].ch;
        ++n;
    }
    return n;
}

void Hp700UserKeyLabel(int k, u8 out[16])
{
    const HpLine& h = Header(k);
    for (int i = 0; i < 2 * kHpKeyLabelHalf; ++i) {
        const int column = i < kHpKeyLabelHalf ? kHpKeyLabelColumn1 + i : kHpKeyLabelColumn2 + i - kHpKeyLabelHalf;
        out[i] = h.cells[column].ch == 0 ? ' ' : h.cells[column].ch;
    }
}

void Hp700BackupUserKeys()
{
    for (int k = 1; k <= kHpUserKeys; ++k) {
        wchar16* b = Hp700.userKeyBackup[k - 1];
        for (int c = 0; c < kHeaderCells; ++c)
            b[c] = Header(k).cells[c].ch;
        for (int c = 0; c < kHpKeyStringUnits; ++c)
            b[kHeaderCells + c] = StringLine(k).cells[c].ch;
    }
}

void Hp700RestoreUserKeys()
{
    for (int k = 1; k <= kHpUserKeys; ++k) {
        const wchar16* b = Hp700.userKeyBackup[k - 1];
        // A backup never taken holds nothing: the keys keep what they have.
        if (b[0] != 'f')
            continue;
        LayOutHeader(k);
        LayOutString(k);
        for (int c = 0; c < kHeaderCells; ++c)
            Header(k).cells[c].ch = static_cast<u8>(b[c]);
        for (int c = 0; c < kHpKeyStringUnits; ++c)
            StringLine(k).cells[c].ch = static_cast<u8>(b[kHeaderCells + c]);
    }
}

void Hp700UserKeyDefine(const Hp700GroupParameters& p)
{
    int attribute = 0, key = 1, labelLength = 0, stringLength = 1;
    bool defines = false;
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        switch (Upper(g.terminator)) {
        case 'A':
            attribute = g.value;
            defines = true;
            break;
        case 'K':
            key = g.value;
            defines = true;
            break;
        case 'D':
            labelLength = g.value;
            defines = true;
            break;
        case 'L':
            stringLength = g.value;
            defines = true;
            break;
        case 'B':
            if (g.value == 0) {
                Hp700BackupUserKeys();
            } else if (g.value == 1) {
                Hp700RestoreUserKeys();
                Hp700BuildUserKeyLabels();
                if (ConfigMenu())
                    Hp700RepaintRows(0, kHpScreenRows - 1);
            }
            break;
        case 'E':
            if (g.value >= 1 && g.value <= kHpUserKeys)
                Hp700ExecuteUserKey(g.value);
            else if (g.value == -1)
                Hp700EnterKey();
            break;
        default: break;
        }
    }
    // Only B or E: nothing is defined (the default string length would take a byte).
    if (!defines)
        return;
    if (key < 1 || key > kHpUserKeys || attribute < 0 || attribute > 2 || labelLength < 0 ||
        (stringLength < 0 && stringLength != -1))
        return;  // the announced characters are read as ordinary data
    // A string longer than a key holds is read as long as it holds; the rest is data.
    if (stringLength > kHpKeyStringUnits)
        stringLength = kHpKeyStringUnits;
    u8 label[2 * kHpKeyLabelHalf];
    const int labelKept = ReadDefined(labelLength, label, 2 * kHpKeyLabelHalf);
    u8 text[kHpKeyStringUnits];
    const int textKept = stringLength < 0 ? 0 : ReadDefined(stringLength, text, kHpKeyStringUnits);
    Header(key).cells[kHpKeyAttributeColumn].ch = static_cast<u8>(kAttributes[attribute]);
    // A label length of 0 keeps the label.
    if (labelLength > 0)
        SetLabel(key, label, labelKept);
    if (stringLength != 0)
        SetString(key, text, textKept);
    RepaintKey(key);
}

void Hp700ExecuteUserKey(int k)
{
    if (k < 1 || k > kHpUserKeys || !Hp700Running())
        return;
    if (ModalOpen.load()) {
        u8 text[kHpKeyStringUnits];
        u16 units[kHpKeyStringUnits];
        const int n = Hp700UserKeyString(k, text);
        for (int i = 0; i < n; ++i)
            units[i] = Hp700Roman8ToLatin(text[i]);
        Hp700PutOnInput(units, n);
        return;
    }
    const Hp700Settings& s = Hp700.settings;
    const u8 attribute = Hp700UserKeyAttribute(k);
    const bool plainRemote = s.remote && !s.blockmode && !s.modall && !Hp700.lineModify;
    if (attribute == 'T' || (attribute == 'N' && plainRemote)) {
        if (!s.remote)
            return;
        Hp700.keyTransmission = k;
        Hp700Request(kHpReplyKey);
        if (Hp700.enterLocks)
            Hp700.keyboardLocked = true;
        Hp700RunPending();
        return;
    }
    ExecuteLocally(k);
}

bool Hp700SendKeyTransmission()
{
    const int k = Hp700.keyTransmission;
    Hp700.keyTransmission = -1;
    if (k < 1 || k > kHpUserKeys)
        return false;
    const bool terminated = Hp700UserKeyAttribute(k) == 'T';
    if (terminated && Hp700.enterCursorReport) {
        char text[24];
        std::snprintf(text, sizeof text, "\x1b&a%03dc%03dR", Hp700.cursorColumn, Hp700.cursorRow);
        Queue(text);
    }
    u8 text[kHpKeyStringUnits];
    const int n = Hp700UserKeyString(k, text);
    for (int i = 0; i < n; ++i)
        Hp700QueueSendUnit(OutCode(text[i]));
    if (terminated)
        Hp700QueueTerminator();
    return true;
}

void Hp700SendUserKeyDefinitions()
{
    const int line = Hp700.cursorRow - Hp700.viewTop;
    const int first = line >= 0 && line < kHpUserKeyLines ? line / 2 + 1 : 1;
    for (int k = first; k <= kHpUserKeys; ++k) {
        Queue("\x1b&f");
        const u8 a = Hp700UserKeyAttribute(k);
        for (int i = 0; i < 3; ++i)
            if (a == static_cast<u8>(kAttributes[i]))
                Hp700QueueSendUnit(static_cast<u16>('0' + i));
        u8 text[kHpKeyStringUnits];
        const int n = Hp700UserKeyString(k, text);
        char head[24];
        std::snprintf(head, sizeof head, "a%dk16d%03dL", k, n);
        Queue(head);
        u8 label[16];
        Hp700UserKeyLabel(k, label);
        for (u8 c : label)
            Hp700QueueSendUnit(OutCode(c));
        for (int i = 0; i < n; ++i)
            Hp700QueueSendUnit(OutCode(text[i]));
        Hp700QueueSendUnit(kCr);
        Hp700QueueSendUnit(kLf);
    }
    Hp700QueueSendUnit(Hp700.settings.blockterm);
}

void Hp700UserKeyScreen()
{
    if (!Hp700Running() || ConfigMenu() || !Hp700.lines)
        return;
    Hp700FlushRow();
    Hp700ReleaseKeyboard();
    if (Hp700.menu == kHpMenuLabelEntry || Hp700.menu == kHpMenuLabels)
        Hp700ReturnToRememberedMenu();
    // The window's lines give way to the definition lines and 8 blank ones.
    for (int r = 0; r < kHpScreenRows; ++r) {
        Hp700.configSaved[r] = Hp700.lines[Hp700.viewTop + r];
        HpLine* shown = r < kHpUserKeyLines ? &Hp700.userKeyLines[r] : &Hp700.configBlank[r - kHpUserKeyLines];
        if (r >= kHpUserKeyLines)
            Hp700BlankLine(shown);
        Hp700.lines[Hp700.viewTop + r] = shown;
    }
    const int row = Hp700.cursorRow, column = Hp700.cursorColumn;
    Hp700.cursorRow = Hp700.viewTop + std::clamp(Hp700.savedCursorRow, 0, kHpUserKeyLines - 1);
    Hp700.cursorColumn = std::clamp(Hp700.savedCursorColumn, 0, Hp700.lastColumn);
    Hp700.savedCursorRow = row;
    Hp700.savedCursorColumn = column;
    Hp700.savedViewTop = Hp700.viewTop;
    Hp700.menu = Hp700.rememberedMenu = kHpMenuConfig;
    Hp700RepaintAll();
}

void Hp700LeaveConfigScreen()
{
    if (!ConfigMenu() || !Hp700.lines)
        return;
    Hp700FlushRow();
    const int top = Hp700.savedViewTop;
    for (int r = 0; r < kHpScreenRows; ++r)
        if (Hp700.configSaved[r])
            Hp700.lines[top + r] = Hp700.configSaved[r];
    const int line = Hp700.cursorRow - top, column = Hp700.cursorColumn;
    Hp700.cursorRow = Hp700.savedCursorRow;
    Hp700.cursorColumn = Hp700.savedCursorColumn;
    Hp700.viewTop = top;
    Hp700.savedCursorRow = std::clamp(line, 0, kHpUserKeyLines - 1);
    Hp700.savedCursorColumn = column;
    Hp700.menu = kHpMenuModes;
    Hp700BuildUserKeyLabels();
    Hp700RepaintAll();
}

void Hp700ConfigClearField()
{
    const int line = Hp700.cursorRow - Hp700.viewTop;
    if (line < 0 || line >= kHpUserKeyLines)
        return;
    HpLine& l = Hp700.userKeyLines[line];
    const int c = Hp700.cursorColumn;
    if (line % 2 == 1) {
        for (int i = c; i < kHpKeyStringUnits; ++i)
            l.cells[i].ch = 0;
    } else if (c == kHpKeyAttributeColumn) {
        l.cells[c].ch = ' ';
    } else {
        for (int from : {kHpKeyLabelColumn1, kHpKeyLabelColumn2})
            if (c >= from && c < from + kHpKeyLabelHalf)
                for (int i = from; i < from + kHpKeyLabelHalf; ++i)
                    l.cells[i].ch = ' ';
    }
    Hp700RepaintRows(line, line);
    Hp700BuildUserKeyLabels();
}

void Hp700ConfigChoice(int direction)
{
    if (!ConfigMenu())
        return;
    const int line = Hp700.cursorRow - Hp700.viewTop;
    if (line < 0 || line >= kHpUserKeyLines || line % 2 == 1 || Hp700.cursorColumn != kHpKeyAttributeColumn) {
        Bell();
        return;
    }
    ScreenCell& cell = Hp700.userKeyLines[line].cells[kHpKeyAttributeColumn];
    int i = 0;
    while (i < 3 && cell.ch != static_cast<u8>(kAttributes[i]))
        ++i;
    i = i == 3 ? 0 : (i + (direction > 0 ? 1 : 2)) % 3;
    cell.ch = static_cast<u8>(kAttributes[i]);
    Hp700RepaintRows(line, line);
}

void Hp700ConfigScreenChar(u8 b)
{
    if (!Hp700.typedLocally) {
        // The host writes into display memory: the definition screen goes first.
        Hp700ShowMenu(kHpMenuMain);
        Hp700WriteChar(b);
        return;
    }
    int line = Hp700.cursorRow - Hp700.viewTop;
    if (line < 0 || line >= kHpUserKeyLines) {
        Bell();
        return;
    }
    if (line % 2 == 0 && Hp700.cursorColumn == kHpKeyAttributeColumn) {
        Bell();  // the attribute changes only by Next and Previous Choice
        return;
    }
    // On a protected cell the character goes to the next field that takes text.
    auto takesText = [](int l, int c) {
        const ScreenCell& cell = Hp700.userKeyLines[l].cells[c];
        return !(cell.rendition & kHpOutsideField) && (cell.rendition & kHpUnprotected) &&
               !(l % 2 == 0 && c == kHpKeyAttributeColumn);
    };
    int column = Hp700.cursorColumn;
    for (int tries = 0; !takesText(line, column) && tries < kHpUserKeyLines * kHpLineCells; ++tries) {
        if (++column > Hp700.lastColumn) {
            column = 0;
            line = (line + 1) % kHpUserKeyLines;
        }
    }
    ScreenCell& cell = Hp700.userKeyLines[line].cells[column];
    Hp700StoreCellChar(b, &cell, b < 32);
    cell.rendition = kHpUnprotected;
    Hp700RepaintRows(line, line);
    // The cursor advances, past the protected cells to the next field.
    ++column;
    for (int tries = 0; !takesText(line, column) && tries < kHpUserKeyLines * kHpLineCells; ++tries) {
        if (++column > Hp700.lastColumn) {
            column = 0;
            line = (line + 1) % kHpUserKeyLines;
        }
    }
    Hp700.cursorRow = Hp700.viewTop + line;
    Hp700.cursorColumn = column;
    if (line % 2 == 0)
        Hp700BuildUserKeyLabels();
}
