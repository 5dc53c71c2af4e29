#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"

#include <algorithm>

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"

namespace {
constexpr u8 kOperatorOutside = 0x72, kOperatorPromptFull = 0x76;
constexpr u8 kSoftHyphen = 0xCA, kSpace = 0x40;
constexpr u8 kCodeLineFull = 0xD3, kCodeLineEnd = 0xDD, kCodeWaited = 0xEB, kCodeNoRoom = 0xF1;

u8 Byte(const I5250Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)].character;
}

bool LineEnd(u8 ch)
{
    return ch == 0x06 || ch == 0x1F;
}

// The address of a 1-based column on a 1-based screen row.
i32 At(const I5250Session* s, int row, int column)
{
    return AddressOf(s, row - 1, column - 1);
}

I5250LineRecord* Line(I5250Session* s, int row)
{
    return row >= 0 && row < static_cast<int>(s->lines.size()) ? &s->lines[static_cast<std::size_t>(row)]
                                                               : nullptr;
}

u8 FormatOf(const I5250Session* s, int row)
{
    return row >= 0 && row < static_cast<int>(s->lines.size()) ? s->lines[static_cast<std::size_t>(row)].further[2]
                                                               : 0;
}

void WriteText(I5250Session* s, i32 a, const std::vector<u8>& text, int width)
{
    for (int i = 0; i < width; ++i)
        I5250WriteCell(s, i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : 0, a + i, false);
}

// Moves whole cells right by one from `from` to `to` - 1 (the cell at `to` is dropped).
void ShiftRight(I5250Session* s, i32 from, i32 to)
{
    for (i32 a = to; a > from; --a)
        I5250CopyCell(s, a - 1, a);
}

// The scale line's character for column number k.
u8 ScaleCharacter(int k)
{
    if (k >= 99 && k % 10 == 9)
        return static_cast<u8>(0xF0 + (k / 100) % 10);
    if (k % 10 == 0)
        return static_cast<u8>(0xF0 + (k % 100) / 10);
    return k % 5 == 0 ? 0x7A : 0x4B;
}

struct Wrap {
    I5250Session* s;
    u8 b;
    i32 c, first, last, e, end = 0;
    u8 ch;
    u8 code = 0;
    bool held = false;

    int Row() const { return s->text.currentLine; }
    int Columns() const { return s->current.columns; }
    void Take()
    {
        first = s->text.textStart;
        last = s->text.textEnd;
    }
    void Flag(int row)
    {
        if (I5250LineRecord* l = Line(s, row))
            l->flags1 |= 0x18;
    }

    void Run();
};

void Wrap::Run()
{
    bool n = false, x = false, w = false;
    if (LineEnd(ch))
        n = x = true;
    else if (ch == kSoftHyphen || ch == 0x03)
        x = true;
    else
        w = true;
    if (Row() + 1 >= s->text.lastRow)
        n = true;
    // Each pass inserts a row or moves text; the text area bounds the passes.
    for (int pass = 0; pass <= s->current.rows + 1; ++pass) {
        i32 e2 = ch == kSoftHyphen || ch == 0x03 ? e - 1 : e;
        if (n) {
            n = false;
            const int r = I5250TextRowInsert(s, Row() + 1);
            if (r == 0) {
                code = kCodeNoRoom;
                s->heldCharacter = b;
                held = true;
                return;
            }
            if (r < 0) {
                c -= Columns();
                s->cursor = c;
                s->text.currentLine = -1;
                I5250MoveTextCursor(s, c);
                Take();
                e -= Columns();
                e2 -= Columns();
            }
            if (LineEnd(ch)) {
                I5250WriteCell(s, ch, first + Columns(), false);
                I5250WriteCell(s, kSoftHyphen, e, false);
                ch = kSoftHyphen;
                e2 = e - 1;
            }
        }
        const int next = Row() + 1;
        const bool sameFormat = FormatOf(s, next) == FormatOf(s, Row());
        if (x) {
            if (sameFormat && I5250TrailingNullCount(s, first + Columns(), last + Columns()) != 0) {
                if (ch != kSoftHyphen && ch > kSpace) {
                    I5250ShiftCellsRight(s, first + Columns(), last + Columns(), 1);
                    I5250CopyCell(s, e, first + Columns());
                    Flag(next);
                    I5250WriteCell(s, kSoftHyphen, e, false);
                }
                if (c < e) {
                    I5250ShiftCellsRight(s, first + Columns(), last + Columns(), 1);
                    I5250CopyCell(s, e - 1, first + Columns());
                    Flag(next);
                    I5250WriteCell(s, kSoftHyphen, e, false);
                    end = e - 1;
                    return;
                }
                I5250MoveCursor(s, first + Columns());
                c = s->cursor;
                Take();
                end = last;
                return;
            }
            n = true;
            continue;
        }
        if (w) {
            if (!sameFormat) {
                n = true;
                continue;
            }
            const i32 ws = I5250WordStart(s, e2, first);
            const int count = e2 - ws + 1;
            if (count > I5250TrailingNullCount(s, first + Columns(), last + Columns())) {
                n = true;
                continue;
            }
            I5250ShiftCellsRight(s, first + Columns(), last + Columns(), count);
            for (int i = 0; i < count; ++i)
                I5250CopyCell(s, ws + i, first + Columns() + i);
            for (i32 a = ws; a <= e; ++a)
                I5250ZeroCell(s, a);
            Flag(Row());
            if (e2 < e)
                I5250WriteCell(s, ch, ws, false);
            if (ws < c || c >= last - 1) {
                I5250MoveCursor(s, first + Columns() + (c - ws));
                c = s->cursor;
                Take();
            }
            end = last;
            return;
        }
        return;
    }
    // Still no room after a row for every line: the character waits for the host.
    code = kCodeNoRoom;
    s->heldCharacter = b;
    held = true;
}
}  // namespace

int I5250TextRowInsert(I5250Session* s, int row)
{
    I5250TextAssist& t = s->text;
    const int top = t.firstRow - 1, bottom = t.lastRow - 1, columns = s->current.columns;
    if (top < 0 || bottom < top || bottom >= static_cast<int>(s->lines.size()))
        return 0;
    const u32 lower = row - 1 >= top && row - 1 <= bottom ? s->lines[static_cast<std::size_t>(row - 1)].key : 0;
    const u32 upper = row >= top && row <= bottom ? s->lines[static_cast<std::size_t>(row)].key : lower + 512;
    const u32 key = (lower + upper) / 2;
    if (key == lower)
        return 0;
    I5250LineRecord fresh = row - 1 >= 0 ? s->lines[static_cast<std::size_t>(row - 1)] : I5250LineRecord{};
    fresh.key = key;
    fresh.flags1 = 0x18;
    auto copyRow = [&](int from, int to) {
        for (int col = 0; col < columns; ++col)
            I5250CopyCell(s, AddressOf(s, from, col), AddressOf(s, to, col));
        s->lines[static_cast<std::size_t>(to)] = s->lines[static_cast<std::size_t>(from)];
        s->lines[static_cast<std::size_t>(to)].row = static_cast<u16>(to + 1);
    };
    auto blankRow = [&](int r) {
        for (int col = 0; col < columns; ++col)
            I5250ZeroCell(s, AddressOf(s, r, col));
        fresh.row = static_cast<u16>(r + 1);
        s->lines[static_cast<std::size_t>(r)] = fresh;
    };
    if (row <= bottom && !(s->lines[static_cast<std::size_t>(bottom)].flags1 & 0x18)) {
        for (int r = bottom; r > row; --r)
            copyRow(r - 1, r);
        blankRow(row);
        return 1;
    }
    if (row - 1 > top && !(s->lines[static_cast<std::size_t>(top)].flags1 & 0x18)) {
        for (int r = top; r < row - 1; ++r)
            copyRow(r + 1, r);
        blankRow(row - 1);
        return -1;
    }
    return 0;
}

int I5250TrailingNullCount(const I5250Session* s, i32 first, i32 last)
{
    const int row = RowOf(s, first);
    if (row < 0 || row >= static_cast<int>(s->lines.size()) ||
        (s->lines[static_cast<std::size_t>(row)].flags1 & 0x60))
        return 0;
    int n = 0;
    for (i32 a = last; a >= first && Byte(s, a) == 0; --a)
        ++n;
    return n;
}

void I5250ShiftCellsRight(I5250Session* s, i32 first, i32 last, int count)
{
    for (i32 a = last; a >= first + count; --a)
        I5250CopyCell(s, a - count, a);
    for (i32 a = first; a < first + count && a <= last; ++a)
        I5250ZeroCell(s, a);
    if (I5250LineRecord* l = Line(s, RowOf(s, first)))
        l->flags1 |= 0x18;
}

i32 I5250WordStart(const I5250Session* s, i32 from, i32 first)
{
    i32 a = from;
    while (a >= first && Byte(s, a) >= 0x41)
        --a;
    return a + 1;
}

int I5250MoveTextCursor(I5250Session* s, i32 address)
{
    I5250TextAssist& t = s->text;
    if (address < 1 || address > s->current.bufferSize)
        address = 1;
    s->cursor = address;
    const int row = RowOf(s, address);
    if (row != t.currentLine) {
        t.currentLine = static_cast<i16>(row);
        I5250TextDrawScaleLine(s);
        I5250TextShowLineNumber(s);
    }
    I5250TextShowCharacterText(s);
    return 1;
}

void I5250TextDrawScaleLine(I5250Session* s)
{
    I5250TextAssist& t = s->text;
    t.leftMargin = t.rightMargin = 0;
    const int columns = s->current.columns;
    const int row = t.currentLine < 0 ? 0 : t.currentLine;
    const u8 format = FormatOf(s, row);
    const int scale = t.scaleRow;
    if (scale >= 1 && scale <= s->current.rows) {
        I5250LineRecord* l = Line(s, scale - 1);
        if (l)
            *l = I5250LineRecord{static_cast<u16>(scale), 0, 0, 0xA0, 0, 0, {0, 0, 0}};
        for (int col = 1; col <= columns; ++col) {
            HostCell& x = s->cells[static_cast<std::size_t>(At(s, scale, col))];
            x.extended = x.textAssist = 0;
            I5250MarkCell(s, At(s, scale, col));
        }
        int k = t.scaleBase + 1;
        for (int col = t.scaleOffset + 2; col <= columns; ++col, ++k)
            I5250WriteCell(s, ScaleCharacter(k), At(s, scale, col), false);
    }
    int tag = -1;
    if (format < t.formats.size()) {
        const I5250TextEntry& f = t.formats[format];
        for (std::size_t i = 0; i + 1 < f.bytes.size(); i += 2) {
            const int column = f.bytes[i], kind = f.bytes[i + 1];
            u8 mark = 0;
            switch (kind) {
            case 1:
                if (f.key & 0x40)
                    continue;
                mark = 0x4C;
                t.leftMargin = static_cast<i16>(column);
                break;
            case 2:
                if (f.key & 0x80)
                    continue;
                mark = 0x6E;
                t.rightMargin = static_cast<i16>(column);
                break;
            case 3: mark = 0xE3; break;
            case 4:
            case 6:
            case 7:
            case 8:
            case 9: mark = 0x6F; break;
            case 5: mark = 0xC3; break;
            case 10: mark = 0xA5; break;
            case 11: mark = 0x5A; break;
            case 12: tag = column; break;
            default: break;
            }
            if (mark && scale >= 1 && scale <= s->current.rows && column >= 1 && column <= columns)
                I5250WriteCell(s, mark, At(s, scale, column), false);
        }
    }
    const i32 base = static_cast<i32>(row) * columns;
    t.textStart = t.leftMargin ? base + t.leftMargin : base + t.scaleOffset + 2;
    t.textEnd = t.rightMargin ? base + t.rightMargin : base + columns;
    I5250TextShowLineTag(s, tag);
}

void I5250TextShowLineTag(I5250Session* s, int tag)
{
    const I5250TextAssist& t = s->text;
    if (t.statusRow < 1 || t.statusRow > s->current.rows || t.tagColumn < 1)
        return;
    const std::vector<I5250TextEntry>& list = t.tagLists[t.activeTagList];
    static const std::vector<u8> kNone;
    const std::vector<u8>& text = tag >= 1 && tag <= static_cast<int>(list.size())
                                      ? list[static_cast<std::size_t>(tag - 1)].bytes
                                      : kNone;
    const int width = std::min(4, s->current.columns - t.tagColumn + 1);
    WriteText(s, At(s, t.statusRow, t.tagColumn), text, width);
}

void I5250TextShowLineNumber(I5250Session* s)
{
    const I5250TextAssist& t = s->text;
    if (t.statusRow < 1 || t.statusRow > s->current.rows || s->current.columns < 78 || t.currentLine < 0)
        return;
    const I5250LineRecord* l = Line(s, t.currentLine);
    const u32 number = std::min<u32>(l ? l->key / 256 : 0, 999);
    std::vector<u8> digits;
    for (u32 n = number;; n /= 10) {
        digits.insert(digits.begin(), static_cast<u8>(0xF0 + n % 10));
        if (n < 10)
            break;
    }
    while (digits.size() < 3)
        digits.push_back(kSpace);
    WriteText(s, At(s, t.statusRow, 76), digits, 3);
}

void I5250TextShowCharacterText(I5250Session* s)
{
    const I5250TextAssist& t = s->text;
    const std::vector<I5250TextEntry>& table = t.characterTexts[t.activeCharacterTexts];
    if (t.statusRow < 1 || t.statusRow > s->current.rows || table.empty() || s->current.columns < 60)
        return;
    const HostCell& c = s->cells[static_cast<std::size_t>(s->cursor)];
    const u8 index = (c.extended & 0x80) ? static_cast<u8>(0x20 + (c.extended & 0x06)) : c.character;
    WriteText(s, At(s, t.statusRow, 41), table[index].bytes, 20);
}

void I5250TextOpenPrompt(I5250Session* s, const std::vector<u8>& text, u8 aid)
{
    I5250TextAssist& t = s->text;
    const int row = t.statusRow ? t.statusRow : t.scaleRow;
    const int columns = s->current.columns;
    const int width = std::min(static_cast<int>(text.size()), columns - 1);
    if (row < 1 || row > s->current.rows || width >= columns - 1) {
        I5250BuildTextReply(s, aid);
        return;
    }
    WriteText(s, At(s, row, 1), text, columns);
    t.promptStart = At(s, row, width + 1);
    t.promptEnd = At(s, row, columns);
    t.promptActive = 1;
    t.promptAid = aid;
    s->cursor = t.promptStart;
}

int I5250TextEnterCharacter(I5250Session* s, u8 b)
{
    I5250TextAssist& t = s->text;
    i32 c = s->cursor;
    if (t.promptActive) {
        if (c < t.promptStart || c > t.promptEnd) {
            I5250OperatorError(s, kOperatorOutside);
            return 0;
        }
        if (s->insertMode) {
            if (Byte(s, t.promptEnd) != 0) {
                I5250OperatorError(s, kOperatorPromptFull);
                return 0;
            }
            for (i32 a = t.promptEnd; a > c; --a)
                I5250WriteCell(s, Byte(s, a - 1), a, false);
        }
        I5250WriteCell(s, b, c, false);
        s->cursor = c + 1 > t.promptEnd ? t.promptStart : c + 1;
        return 1;
    }
    if (t.characterWait) {
        if (t.characterRefusal) {
            I5250OperatorError(s, kOperatorOutside);
            return 0;
        }
        t.waitedCharacter = b;
        I5250BuildTextReply(s, kCodeWaited);
        return 1;
    }
    if (t.currentLine < 0)
        I5250MoveTextCursor(s, c);
    I5250LineRecord* line = Line(s, t.currentLine);
    Wrap w{s, b, c, t.textStart, t.textEnd, 0, 0, 0};
    if (!line || (line->flags1 & 0x60) || c < w.first || c > w.last) {
        I5250OperatorError(s, kOperatorOutside);
        return 0;
    }
    const bool insert = s->insertMode || c == w.last;
    w.e = w.first;
    for (i32 a = w.last; a > w.first; --a)
        if (Byte(s, a) != 0) {
            w.e = a;
            break;
        }
    w.ch = Byte(s, w.e);
    if (!insert || w.e < w.last - 1) {
        w.end = w.last;
    } else if (!t.leftMargin || !t.rightMargin) {
        w.code = c < w.last - 1 ? kCodeLineFull : kCodeLineEnd;
        w.end = w.last - 1;
    } else {
        w.Run();
    }
    c = w.c;
    if (!w.held) {
        if (insert && w.end > c) {
            ShiftRight(s, c, w.end);
            I5250ZeroCell(s, c);
        }
        I5250WriteCell(s, b, c, false);
        w.Flag(t.currentLine);
        I5250MoveCursor(s, c + 1);
    }
    if (w.code)
        I5250BuildTextReply(s, w.code);
    return 1;
}
