#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wtd5250.h"

namespace {
constexpr u8 kOperatorBusy = 0x74, kOperatorDisabled = 0x77;

std::vector<I5250TextEntry>& Sized(std::vector<I5250TextEntry>& table, std::size_t n)
{
    if (table.size() != n)
        table.assign(n, I5250TextEntry{});
    return table;
}

// Walks the entries of a field from `first`: each starts with its length byte, which
// counts the entry. `visit` returns 0 or a sense code.
template <typename Visit>
u32 Entries(const u8* field, int length, int first, int minimum, int maximum, Visit visit)
{
    for (int i = first; i < length;) {
        const int n = field[i];
        if (n < minimum || n > maximum || i + n > length)
            return kSenseEntry;
        if (const u32 e = visit(field + i, n))
            return e;
        i += n;
    }
    return 0;
}

u32 CharacterTexts(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if (length < 5)
        return kSenseLength;
    if (f[4] == 255) {
        t.characterTexts[0].clear();
        t.characterTexts[1].clear();
        return 0;
    }
    const int which = f[4] < 128 ? 0 : 1;
    t.activeCharacterTexts = static_cast<u8>(which);
    std::vector<I5250TextEntry>& table = Sized(t.characterTexts[which], 256);
    return Entries(f, length, 5, 2, 22, [&](const u8* e, int n) {
        table[e[1]] = {e[1], std::vector<u8>(e + 2, e + n)};
        return 0u;
    });
}

int CommandKeySlot(u8 key)
{
    if (key >= 1 && key <= 24)
        return key - 1;
    if (key >= 251)
        return 24 + (key - 251);
    return -1;
}

u32 CommandKeys(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if (length < 5)
        return kSenseLength;
    if (f[4] == 255) {
        t.commandKeys[0].clear();
        t.commandKeys[1].clear();
        return 0;
    }
    const int which = f[4] < 128 ? 0 : 1;
    std::vector<I5250TextEntry>& table = Sized(t.commandKeys[which], 29);
    t.activeCommandKeys = static_cast<u8>(which);
    return Entries(f, length, 5, 3, 82, [&](const u8* e, int n) {
        const int slot = CommandKeySlot(e[1]);
        if (slot < 0)
            return static_cast<u32>(kSenseEntry);
        table[static_cast<std::size_t>(slot)] = {e[2], std::vector<u8>(e + 3, e + n)};
        return 0u;
    });
}

u32 KeyboardControl(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if ((length != 7 && length != 14) || f[4] != 0)
        return kSenseParameter;
    t.keyboard[0] = f[5];
    t.keyboard[1] = f[6];
    if (length == 14) {
        t.keyboard[2] = f[7];
        t.keyboard[3] = f[8];
        t.keyboardCount = f[9];
        t.keyboardValues[0] = static_cast<u16>(f[10] << 8 | f[11]);
        t.keyboardValues[1] = static_cast<u16>(f[12] << 8 | f[13]);
    }
    I5250SetInsertMode(s, (f[5] & 0x80) ? 1 : 0);
    if (f[5] & 0x40) {
        t.pendingFlags[0] = 1;
        t.pendingFlags[1] = (f[6] & 0x80) ? 1 : 0;
        t.characterWait = 1;
    }
    return 0;
}

u32 TextScreen(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if (length < 7 || length > 14 || f[4] != 0)
        return kSenseParameter;
    const int rows = s->current.rows, columns = s->current.columns;
    const u8 c0 = f[5], c1 = length > 6 ? f[6] : 0;
    const int lines = length > 8 ? (f[7] << 8 | f[8]) : (length > 7 ? f[7] : 0);
    const bool statusGiven = (c1 & 0x0F) >= 8;
    const int status = statusGiven && length > 9 ? f[9] : 0;
    const int scale = length > 10 ? f[10] : 0;
    const int offset = length > 11 ? f[11] : 0;
    const int tag = length > 12 ? f[12] : 0;
    if (lines < 5 || status > rows || scale > rows || offset > columns - 5 || tag > columns - 5 ||
        (length > 12 && tag == 0))
        return kSenseParameter;
    int first = length > 13 ? f[13] : 0;
    if (!first)
        first = (scale > status ? scale : status) + 1;
    const int last = first + lines - 1;
    if (first < 1 || last > rows)
        return kSenseParameter;
    t.screen[0] = c0;
    t.screen[1] = c1;
    t.lineCount = static_cast<u8>(lines);
    t.value = !statusGiven && length > 10 ? static_cast<u16>(f[9] << 8 | f[10]) : 0;
    t.statusRow = static_cast<u8>(status);
    t.scaleRow = static_cast<u8>(scale);
    t.scaleOffset = static_cast<u8>(offset);
    t.tagColumn = static_cast<u8>(tag);
    t.firstRow = static_cast<u8>(first);
    t.lastRow = static_cast<u8>(last);
    t.defined = 1;
    t.mode = 1;
    t.currentLine = -1;
    return 0;
}

u32 LineFormats(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if (length < 8 || f[4] != 0 || f[5] != 0)
        return kSenseParameter;
    t.formatByte = f[6];
    t.scaleBase = f[7];
    t.formats.assign(256, I5250TextEntry{});
    return Entries(f, length, 8, 2, 255, [&](const u8* e, int n) {
        if (n != 2 && n != 3 && !(n > 3 && (n & 1)))
            return static_cast<u32>(kSenseEntry);
        const u8 slot = n == 2 ? 0 : e[2];
        t.formats[slot] = {e[1], std::vector<u8>(e + (n == 2 ? 2 : 3), e + n)};
        return 0u;
    });
}

// Writes one line entry's text into its row.
u32 WriteLineText(I5250Session* s, int row, const u8* text, int n)
{
    const int columns = s->current.columns;
    i32 a = AddressOf(s, row - 1, 0);
    const i32 end = a + columns;
    for (int i = 0; i < n;) {
        if (text[i] == 0x10) {
            if (n - i < 3)
                return kSensePremature;
            const u8 type = text[i + 1];
            if (type < 1 || type > 3)
                return kSenseValue;
            if (a < end)
                I5250WriteExtendedAttribute(s, a, type, text[i + 2]);
            i += 3;
            continue;
        }
        if (a >= end)
            return kSenseEntry;  // the text does not fit its row
        I5250WriteCell(s, text[i], a++, false);
        ++i;
    }
    return 0;
}

u32 TextEntry(I5250Session* s, const u8* f, int length)
{
    I5250TextAssist& t = s->text;
    if (length < 8 || f[4] != 0 || (length > 8 && length < 12))
        return kSenseParameter;
    t.entry[0] = f[5];
    t.entry[1] = f[6];
    t.entry[2] = f[7];
    if (length >= 12) {
        t.entryRow = static_cast<u16>(f[8] << 8 | f[9]);
        t.entryColumn = static_cast<u16>(f[10] << 8 | f[11]);
    }
    if (f[6] & 0x20)
        I5250SetInhibit(s, 1);
    const bool wide = (t.screen[1] & 0x40) != 0;
    const int header = wide ? 15 : 14;
    for (int i = 12; i < length;) {
        const int n = wide ? (i + 1 < length ? (f[i] << 8 | f[i + 1]) : 0) : f[i];
        if (n < header || i + n > length)
            return kSenseEntry;
        const u8* e = f + i + (wide ? 2 : 1);
        I5250LineRecord line{};
        line.flags1 = e[0];
        line.flags2 = e[1];
        line.row = static_cast<u16>(e[2] << 8 | e[3]);
        line.spare = e[4];
        line.value = static_cast<u16>(e[5] << 8 | e[6]);
        line.key = static_cast<u32>(e[7] << 16 | e[8] << 8 | e[9]);
        line.further[0] = e[10];
        line.further[1] = e[11];
        line.further[2] = e[12];
        if (line.row < 1 || line.row > s->current.rows)
            return kSenseParameter;
        s->lines[line.row - 1u] = line;
        const i32 first = AddressOf(s, line.row - 1, 0);
        HostCell& c = s->cells[static_cast<std::size_t>(first)];
        if (line.flags1 & 0x80)
            for (int col = 0; col < s->current.columns; ++col) {
                HostCell& x = s->cells[static_cast<std::size_t>(first + col)];
                x.extended = x.textAssist = 0;
                I5250MarkCell(s, first + col);
            }
        c.extended = 0x80;
        c.textAssist = 0x80;
        I5250MarkCell(s, first);
        if (const u32 err = WriteLineText(s, line.row, f + i + header, n - header))
            return err;
        i += n;
    }
    const u8 cc = t.entry[2];
    const i32 cursor = t.entryRow >= 1 && t.entryRow <= s->current.rows && t.entryColumn >= 1 &&
                               t.entryColumn <= s->current.columns
                           ? AddressOf(s, t.entryRow - 1, t.entryColumn - 1)
                           : 0;
    if (cc & 0x30)
        s->cursorBlink = (cc & 0x10) ? 0 : 1;
    if ((cc & 0x48) && cursor)
        I5250MoveCursor(s, cursor);
    if (cc & 0x08)
        I5250SetInhibit(s, 0);
    if (cc & 0x04)
        RequestBell();
    if (cc & 0x01)
        I5250SetMessageWaiting(s, 1);
    else if (cc & 0x02)
        I5250SetMessageWaiting(s, 0);
    return 0;
}

u32 SpecialCharacter(I5250Session* s, const u8* f, int length)
{
    if (length < 7)
        return kSenseLength;
    for (int i = 5; i + 1 < length; i += 2) {
        const u8 c = f[i + 1];
        if (f[i] != 0x01 || !(c == 0x06 || c == 0x1F || c >= 0x40))
            return kSenseValue;
        s->text.special = c;
    }
    return 0;
}

u32 Lists(std::vector<I5250TextEntry>* lists, u8& active, const u8* f, int length, int minimum, int maximum)
{
    if (length < 5)
        return kSenseLength;
    if (f[4] == 255) {
        lists[0].clear();
        lists[1].clear();
        return 0;
    }
    const int which = f[4] < 128 ? 0 : 1;
    active = static_cast<u8>(which);
    lists[which].clear();
    return Entries(f, length, 5, minimum, maximum, [&](const u8* e, int n) {
        lists[which].push_back({static_cast<u16>(e[1] << 8 | e[2]), std::vector<u8>(e + 3, e + n)});
        return 0u;
    });
}

u32 KeyDisable(I5250Session* s, const u8* f, int length)
{
    if (length < 7 || f[4] || f[5] || f[6])
        return kSenseParameter;
    for (int i = 7; i < length;) {
        if (i + 1 >= length)
            return kSenseEntry;
        const int n = f[i];
        const u8 kind = f[i + 1];
        if ((kind == 0x40 && n != 6) || (kind == 0x80 && n != 4) || (kind != 0x40 && kind != 0x80) ||
            i + n > length)
            return kSenseEntry;
        if (kind == 0x80)
            s->text.value3b = static_cast<u16>(f[i + 2] << 8 | f[i + 3]);
        else
            s->text.keyDisable = static_cast<u32>(f[i + 2]) << 24 | static_cast<u32>(f[i + 3]) << 16 |
                                 static_cast<u32>(f[i + 4]) << 8 | f[i + 5];
        i += n;
    }
    return 0;
}

// One row's cells for the reply: attribute starts as 0x10 type byte, characters as they
// are, nulls only where something follows them.
void PutRowCells(I5250Session* s, int row)
{
    int nulls = 0;
    bool active[3] = {};
    const i32 first = AddressOf(s, row, 0);
    for (int col = 0; col < s->current.columns; ++col) {
        const HostCell& c = s->cells[static_cast<std::size_t>(first + col)];
        const u8 bytes[3] = {c.extended, c.textAssist, c.foreground};
        for (int k = 0; k < 3; ++k)
            if (bytes[k] & 0x80) {
                for (; nulls > 0; --nulls)
                    I5250Put(s, 0);
                I5250Put(s, 0x10);
                I5250Put(s, static_cast<u8>(k + 1));
                I5250Put(s, bytes[k]);
                active[k] = bytes[k] != 0x80;
            }
        if (c.character) {
            for (; nulls > 0; --nulls)
                I5250Put(s, 0);
            I5250Put(s, c.character);
        } else {
            ++nulls;
        }
    }
    if (active[0] || active[1] || active[2]) {
        for (; nulls > 0; --nulls)
            I5250Put(s, 0);
        for (int k = 0; k < 3; ++k)
            if (active[k]) {
                I5250Put(s, 0x10);
                I5250Put(s, static_cast<u8>(k + 1));
                I5250Put(s, 0x80);
            }
    }
}
}  // namespace

u32 I5250TextAssistField(I5250Session* s, const u8* f, int length)
{
    switch (f[3]) {
    case 0x30: return CharacterTexts(s, f, length);
    case 0x31: return CommandKeys(s, f, length);
    case 0x33: return KeyboardControl(s, f, length);
    case 0x34: return TextScreen(s, f, length);
    case 0x35: return LineFormats(s, f, length);
    case 0x36: return TextEntry(s, f, length);
    case 0x37: return SpecialCharacter(s, f, length);
    case 0x39: return Lists(s->text.tagLists, s->text.activeTagList, f, length, 3, 83);
    case 0x3A: return Lists(s->text.lists3a, s->text.activeList3a, f, length, 5, 255);
    case 0x3B: return KeyDisable(s, f, length);
    default: return kSenseType;
    }
}

void I5250BuildTextReply(I5250Session* s, u8 aid)
{
    I5250TextAssist& t = s->text;
    I5250BuildDisplayHeader(s, 0, 3);
    I5250Put(s, static_cast<u8>(RowOf(s, s->cursor) + 1));
    I5250Put(s, static_cast<u8>(ColumnOf(s, s->cursor) + 1));
    I5250Put(s, aid);
    const u32 lengthAt = s->outputLength;
    I5250Put16(s, 0);
    for (u8 b : {0xD9, 0x32, 0x00, 0xD0, 0x00, 0x00})
        I5250Put(s, b);
    I5250Put16(s, t.entryRow);
    I5250Put16(s, t.entryColumn);
    const bool wide = (t.screen[1] & 0x40) != 0;
    for (int r = 0; r < s->current.rows && r < static_cast<int>(s->lines.size()); ++r) {
        const I5250LineRecord& l = s->lines[static_cast<std::size_t>(r)];
        if (!(l.flags1 & 0x18))
            continue;
        const u32 entryAt = s->outputLength;
        if (wide)
            I5250Put(s, 0);
        I5250Put(s, 0);
        I5250Put(s, l.flags1);
        I5250Put(s, l.flags2);
        I5250Put16(s, l.row);
        I5250Put(s, l.spare);
        I5250Put16(s, l.value);
        I5250Put(s, static_cast<u8>(l.key >> 16));
        I5250Put(s, static_cast<u8>(l.key >> 8));
        I5250Put(s, static_cast<u8>(l.key));
        for (u8 b : l.further)
            I5250Put(s, b);
        PutRowCells(s, r);
        const u32 n = s->outputLength - entryAt;
        if (!s->outputOverflow) {
            if (wide) {
                s->output[entryAt] = static_cast<u16>(n >> 8 & 0xFF);
                s->output[entryAt + 1] = static_cast<u16>(n & 0xFF);
            } else {
                s->output[entryAt] = static_cast<u16>(n > 255 ? 255 : n);
            }
        }
    }
    if (!s->outputOverflow) {
        const u32 n = s->outputLength - lengthAt;
        s->output[lengthAt] = static_cast<u16>(n >> 8 & 0xFF);
        s->output[lengthAt + 1] = static_cast<u16>(n & 0xFF);
    }
    u8 state = t.keyboard[0];
    if (s->messageWaiting)
        state |= 0x80;
    if (t.pendingFlags[0] && !t.pendingFlags[1])
        state |= 0x40;
    if (t.busy)
        state |= 0x01;
    I5250Put16(s, 16);  // the field's length, counting itself
    for (u8 b : {0xD9, 0x38, 0x00})
        I5250Put(s, b);
    I5250Put(s, state);
    I5250Put(s, t.keyboard[1]);
    for (u8 b : t.entry)
        I5250Put(s, b);
    I5250Put16(s, t.keyboardValues[0]);
    I5250Put16(s, t.keyboardValues[1]);
    I5250Put(s, t.keyboard[2]);
    I5250Put(s, t.keyboard[3]);
    I5250SendRecord(s);
    t.busy = 0;
    t.promptActive = t.characterWait = t.characterRefusal = 0;
    I5250SetInhibit(s, 1);
}

void I5250TextFunctionKey(I5250Session* s, int key, u8 aid)
{
    I5250TextAssist& t = s->text;
    if (t.busy) {
        I5250OperatorError(s, kOperatorBusy);
        return;
    }
    if ((t.screen[0] & 0x08) && key >= 0 && key < 32 && (t.keyDisable & (0x80000000u >> key))) {
        I5250OperatorError(s, kOperatorDisabled);
        return;
    }
    const std::vector<I5250TextEntry>& table = t.commandKeys[t.activeCommandKeys];
    if (key >= 0 && static_cast<std::size_t>(key) < table.size() &&
        !table[static_cast<std::size_t>(key)].bytes.empty()) {
        const I5250TextEntry& e = table[static_cast<std::size_t>(key)];
        switch (e.key) {
        case 1: I5250TextOpenPrompt(s, e.bytes, aid); return;
        case 2: t.characterWait = 1; return;
        case 3:
        case 4:
        case 5:
            t.characterWait = 1;
            t.characterRefusal = 1;
            return;
        default: break;
        }
    }
    I5250BuildTextReply(s, aid);
}

void I5250ClearTextAssist(I5250Session* s)
{
    s->text = I5250TextAssist{};
    s->text.currentLine = -1;
}
