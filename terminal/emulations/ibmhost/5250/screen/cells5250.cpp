#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"

#include <algorithm>
#include <cstring>

#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/settings/store/colours.h"

namespace {
// The extended colour codes' palette indexes (code 1-15).
constexpr u8 kExtendedColours[16] = {0, 8, 3, 11, 2, 10, 6, 14, 1, 9, 4, 12, 5, 13, 7, 15};

HostCell& At(I5250Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)];
}

i32 ScreenEnd(const I5250Session* s)
{
    return s->current.bufferSize;
}

bool InMessageLine(const I5250Session* s, i32 a)
{
    return a >= s->errorLineStart && a < s->errorLineStart + s->current.columns;
}

// The last cell of the area (screen or message line) that holds an address.
i32 AreaEnd(const I5250Session* s, i32 a)
{
    return InMessageLine(s, a) ? s->errorLineStart + s->current.columns - 1 : ScreenEnd(s);
}

void MarkRestOfField(I5250Session* s, i32 a)
{
    const i32 end = AreaEnd(s, a);
    for (i32 i = a + 1; i <= end; ++i) {
        HostCell& c = At(s, i);
        if (I5250IsAttributeCell(c))
            break;
        c.flags |= kCellChanged;
    }
}

// Where each input field's extents start, sorted, with the first FFW byte the display
// keeps at that attribute position.
struct ExtentStart {
    i32 address;
    u8 ffw;
};
std::vector<ExtentStart> ExtentStarts(const I5250Session* s)
{
    std::vector<ExtentStart> out;
    for (const I5250Field& f : s->fields)
        for (const I5250Extent& e : f.extents)
            out.push_back({e.start, f.ffw[0]});
    std::sort(out.begin(), out.end(),
              [](const ExtentStart& a, const ExtentStart& b) { return a.address < b.address; });
    return out;
}

struct Walk {
    I5250Session* s;
    bool repaintAll;
    std::vector<ExtentStart> starts;
    std::size_t nextStart = 0;

    u8 FieldByte(i32 a)
    {
        while (nextStart < starts.size() && starts[nextStart].address < a)
            ++nextStart;
        return nextStart < starts.size() && starts[nextStart].address == a ? starts[nextStart].ffw : 0;
    }

    // One row of cells from `first` into display row `index`, painted on `paintRow`
    // (-1: not painted).
    void Row(i32 first, int index, int paintRow, u8& attribute)
    {
        HostDisplayRow& row = s->rows[static_cast<std::size_t>(index)];
        int pending = -1;
        const int columns = s->current.columns;
        for (int col = 0; col < columns; ++col) {
            const i32 a = first + col;
            HostCell& c = At(s, a);
            if (I5250IsAttributeCell(c))
                attribute = c.character;
            const u8 fieldByte = FieldByte(a);
            if (!(c.flags & kCellChanged))
                continue;
            c.flags &= static_cast<u8>(~kCellChanged);
            const I5250Look look = I5250MapAttributeColours(s, attribute & 0x1F, c.extended, c.foreground);
            HostDisplayCell d;
            d.character = c.character;
            d.colour = static_cast<u8>(look.background << 4 | look.foreground);
            d.rendition = static_cast<u8>(look.bits | (c.flags & 0xC0));
            if (I5250IsAttributeCell(c))
                d.rendition |= kShowAttribute;
            d.field = static_cast<u8>(fieldByte | (row.cells[col].field & kDisplayMark));
            HostDisplayCell& old = row.cells[col];
            if (!repaintAll && std::memcmp(&old, &d, sizeof d) == 0) {
                if (pending >= 0 && paintRow >= 0)
                    I5250Paint(s, paintRow, pending, col - 1);
                pending = -1;
                continue;
            }
            old = d;
            if (pending < 0)
                pending = col;
            if (d.character != 0x40 && I5250CellBlinks(d, false)) {
                row.header[0] = 1;
                s->blinkPresent = 1;
            }
        }
        if (pending >= 0 && paintRow >= 0)
            I5250Paint(s, paintRow, pending, columns - 1);
    }
};
}  // namespace

bool I5250IsAttributeCell(const HostCell& c)
{
    return IsAttributeByte(c.character) && !(c.flags & kCellIsData);
}

bool I5250ValidAddress(const I5250Session* s, i32 a)
{
    return (a >= 1 && a <= ScreenEnd(s)) || InMessageLine(s, a);
}

void I5250MarkCell(I5250Session* s, i32 a)
{
    if (!I5250ValidAddress(s, a))
        return;
    At(s, a).flags |= kCellChanged;
    s->displayDirty = 1;
}

void I5250WriteCell(I5250Session* s, u8 byte, i32 a, bool asData)
{
    if (!I5250ValidAddress(s, a) || s->cells.empty())
        return;
    HostCell& c = At(s, a);
    const bool wasAttribute = I5250IsAttributeCell(c);
    c.character = byte;
    c.flags = static_cast<u8>((c.flags & ~kCellIsData) | (asData ? kCellIsData : 0) | kCellChanged);
    s->displayDirty = 1;
    if (wasAttribute || (IsAttributeByte(byte) && !asData))
        MarkRestOfField(s, a);
}

void I5250CopyCell(I5250Session* s, i32 from, i32 to)
{
    if (!I5250ValidAddress(s, from) || !I5250ValidAddress(s, to))
        return;
    const bool wasAttribute = I5250IsAttributeCell(At(s, to));
    At(s, to) = At(s, from);
    At(s, to).flags |= kCellChanged;
    s->displayDirty = 1;
    if (wasAttribute || I5250IsAttributeCell(At(s, to)))
        MarkRestOfField(s, to);
}

void I5250ZeroCell(I5250Session* s, i32 a)
{
    if (!I5250ValidAddress(s, a))
        return;
    const bool wasAttribute = I5250IsAttributeCell(At(s, a));
    At(s, a) = HostCell{0, kCellChanged, 0, 0, 0};
    s->displayDirty = 1;
    if (wasAttribute)
        MarkRestOfField(s, a);
}

I5250Look I5250MapAttributeColours(const I5250Session* s, u8 a, u8 e, u8 ec)
{
    const u8(*table)[2] = I5250Config.colours;
    const u8 passed = a;
    I5250Look look{static_cast<u8>(table[0][0] & 0x0F), static_cast<u8>(table[0][1] & 0x0F), 0};
    if (e & 0x1F) {
        look.bits = e & 0x1F;
        const int pair = (look.bits & kShowBold) ? 2 : 0;
        look.foreground = table[pair][0] & 0x0F;
        look.background = table[pair][1] & 0x0F;
    } else if (s->monochrome) {
        look.bits = a & 0x1F;
        const int pair = (a & kShowBold) ? 2 : 0;
        look.foreground = table[pair][0] & 0x0F;
        look.background = table[pair][1] & 0x0F;
    } else {
        const u8* pair = (table[a & 0x1F][1] & 0x80) ? table[a & 0x1F] : table[0];
        const u8 fg = pair[0], bg = pair[1];
        u8 keep = 0;
        if (bg & 0x20)
            keep |= kShowSeparators;
        if (fg & 0x10)
            keep |= kShowBlink;
        if (fg & 0x40)
            keep |= kShowUnderline;
        if (fg & 0x20)
            keep |= kShowReverse;
        if ((bg & 0x40) || Colours.bolditalic)
            keep |= kShowBold;
        look.bits = a & keep;
        look.foreground = fg & 0x0F;
        look.background = bg & 0x0F;
        if (fg & 0x80)
            look.foreground ^= 0x08;
    }
    const u8 colour = ec & 0x7F;
    if (colour >= 1 && colour <= 15)
        look.foreground = kExtendedColours[colour];
    look.foreground &= 0x0F;
    look.background &= 0x0F;
    if ((passed & 0x07) == 0x07)
        look.foreground = look.background;
    return look;
}

bool I5250CellBlinks(const HostDisplayCell& d, bool statusRow)
{
    if (!(d.rendition & kShowBlink))
        return false;
    if (statusRow)
        return true;
    return !(d.rendition & kShowAttribute) && (d.colour & 0x0F) != (d.colour >> 4);
}

int I5250DisplayRowFor(const I5250Session* s, int row)
{
    if (row == StatusRowIndex(s))
        return row;
    if (s->errorLineInUse && row == s->coveredRow)
        return MessageRowIndex(s);
    return row;
}

void I5250UpdateDisplay(I5250Session* s, bool repaintAll)
{
    if (s->printerSession || s->rows.empty() || s->cells.empty() || !s->displayDirty)
        return;
    HideCursorForUpdate();
    s->cursorPosOn = 0;
    s->displayDirty = 0;
    Walk walk{s, repaintAll, ExtentStarts(s)};
    u8 attribute = 0x20;
    const int rows = s->current.rows;
    for (int r = 0; r < rows; ++r) {
        const bool covered = s->errorLineInUse && r == s->coveredRow;
        walk.Row(AddressOf(s, r, 0), r, covered ? -1 : r, attribute);
    }
    attribute = 0x20;
    walk.nextStart = 0;
    walk.Row(s->errorLineStart, MessageRowIndex(s), s->errorLineInUse ? s->coveredRow : -1, attribute);
}

void I5250RepaintScreen(I5250Session* s)
{
    if (s->printerSession || s->cells.empty())
        return;
    for (i32 a = 1; a <= ScreenEnd(s); ++a)
        At(s, a).flags |= kCellChanged;
    for (i32 a = s->errorLineStart; a < s->errorLineStart + s->current.columns; ++a)
        At(s, a).flags |= kCellChanged;
    s->displayDirty = 1;
    I5250UpdateDisplay(s, true);
    I5250RedrawStatusRow(s);
    I5250Paint(s, StatusRowIndex(s), 0, s->current.columns - 1);
}

void I5250RepaintRows(I5250Session* s, int first, int last)
{
    if (s->printerSession || s->rows.empty())
        return;
    for (int r = std::max(first, 0); r <= last && r <= StatusRowIndex(s); ++r) {
        s->rows[static_cast<std::size_t>(I5250DisplayRowFor(s, r))].header[0] = 0;
        I5250Paint(s, r, 0, s->current.columns - 1);
    }
}

void I5250ClearCells(I5250Session* s)
{
    if (s->printerSession || s->cells.empty())
        return;
    std::fill(s->cells.begin(), s->cells.end(), HostCell{});
    s->cursor = 1;
    s->blinkPresent = 0;
    const u8 colour = static_cast<u8>((I5250Config.colours[0][1] & 0x0F) << 4 |
                                      (I5250Config.colours[0][0] & 0x0F));
    const u8 rendition = s->blockMode ? 0 : 0x80;
    for (int r = 0; r < s->current.rows; ++r) {
        HostDisplayRow& row = s->rows[static_cast<std::size_t>(r)];
        row.header[0] = 0;
        for (HostDisplayCell& d : row.cells)
            d = {0, colour, rendition, 0};
    }
    if (!s->blockMode)
        for (i32 a = 1; a <= ScreenEnd(s); ++a)
            At(s, a).flags |= 0x80;
}

void I5250ClearMessageLine(I5250Session* s)
{
    if (s->cells.empty())
        return;
    for (i32 a = s->errorLineStart; a < s->errorLineStart + s->current.columns; ++a)
        At(s, a) = HostCell{};
    HostDisplayRow& row = s->rows[static_cast<std::size_t>(MessageRowIndex(s))];
    row.header[0] = 0;
    for (int c = 0; c < s->current.columns; ++c)
        row.cells[c] = HostDisplayCell{};
}

void I5250ScrollCellsUp(I5250Session* s)
{
    const i32 columns = s->current.columns, end = ScreenEnd(s);
    for (i32 a = 1; a + columns <= end; ++a)
        At(s, a) = At(s, a + columns);
    for (i32 a = end - columns + 1; a <= end; ++a)
        At(s, a) = HostCell{0, static_cast<u8>(0x80 | kCellChanged), 0, 0, 0};
    for (i32 a = 1; a <= end; ++a)
        At(s, a).flags |= kCellChanged;
    s->displayDirty = 1;
}

void I5250DrawWindowBorder(I5250Session* s, int firstRow, int left, int lastRow, int right, bool noTopLine,
                           u8 borderAttribute, const u8 ch[8])
{
    if (firstRow > lastRow) {
        I5250UpdateDisplay(s, false);
        return;
    }
    for (int r = firstRow; r <= lastRow; ++r) {
        u8 fieldAttribute = 0x20;
        // The attribute in force at the row's first written cell.
        for (i32 a = AddressOf(s, r, left - 1); a >= 1; --a)
            if (I5250IsAttributeCell(At(s, a))) {
                fieldAttribute = At(s, a).character;
                break;
            }
        for (int c = left - 1; c <= right + 1; ++c) {
            const i32 a = AddressOf(s, r, c);
            if (I5250IsAttributeCell(At(s, a)))
                fieldAttribute = At(s, a).character;
            u8 b;
            if (r == firstRow)
                b = c == left ? ch[0] : c == right ? ch[2] : noTopLine ? 0x40 : ch[1];
            else if (r == lastRow)
                b = c == left ? ch[5] : c == right ? ch[7] : ch[6];
            else
                b = c == left ? ch[3] : c == right ? ch[4] : 0x40;
            if (c == left - 1 || (c == right - 1 && r != firstRow && r != lastRow))
                b = borderAttribute;
            else if (c == right + 1)
                b = fieldAttribute;
            else if (c == left + 1 && r != firstRow && r != lastRow)
                b = 0x20;
            I5250WriteCell(s, b, a, false);
        }
    }
    I5250UpdateDisplay(s, false);
}

void I5250WriteWindowTitle(I5250Session* s, int row, int first, int last, u8 trailing, u8 leading, int placement,
                           const u8* text, int length)
{
    length = std::clamp(length, 0, std::max(last - first, 0));
    const i32 base = static_cast<i32>(row - 1) * s->current.columns;
    i32 a;
    if (placement == 1)
        a = base + last - length - 1;
    else if (placement == 2)
        a = base + first + 2;
    else
        a = base + first + (last - first - length) / 2 + 1;
    if (leading)
        I5250WriteCell(s, leading, a++, false);
    for (int i = 0; i < length; ++i)
        I5250WriteCell(s, text[i], a++, false);
    if (leading)
        I5250WriteCell(s, trailing, a, false);
}
