#include "terminal/emulations/ta6530/screen/tafields.h"

#include "terminal/emulations/ta6530/screen/tapages.h"

namespace {

struct Pos {
    int line, column;
};

int Width()
{
    return Ta.lastColumn + 1;
}

bool Next(const TaPage& page, Pos& p)
{
    if (++p.column < Width())
        return true;
    p.column = 0;
    return ++p.line <= page.last;
}

bool Previous(const TaPage& page, Pos& p)
{
    if (--p.column >= 0)
        return true;
    p.column = Width() - 1;
    return --p.line >= page.first;
}

// Forward and backward with wrapping from the page's end to its start.
void NextWrapping(const TaPage& page, Pos& p)
{
    if (!Next(page, p))
        p = Pos{page.first, 0};
}

void PreviousWrapping(const TaPage& page, Pos& p)
{
    if (!Previous(page, p))
        p = Pos{page.last, Width() - 1};
}

const ScreenCell& CellAt(const Pos& p)
{
    return TaLineAt(p.line).cells[p.column];
}

bool IsFieldStart(const Pos& p)
{
    return (CellAt(p).rendition & kTaFieldStart) != 0;
}

bool StartsUnprotectedField(const Pos& p)
{
    const ScreenCell& c = CellAt(p);
    return (c.rendition & kTaFieldStart) && !(c.flags & kTaProtectedField);
}

void MoveTo(TaPage& page, const Pos& p)
{
    page.cursorLine = p.line;
    page.cursorColumn = p.column;
}

Pos CursorOf(const TaPage& page)
{
    return Pos{page.cursorLine, page.cursorColumn < Width() ? page.cursorColumn : Width() - 1};
}

}  // namespace

TaFieldInfo TaFieldAttributeAt(const TaPage& page, int line, int column)
{
    TaFieldInfo info{static_cast<u8>(page.baseVideo & kTaVideoBits), static_cast<u8>(page.baseData & 0x7F), 0};
    bool videoFound = false;
    Pos p{line, column < Width() ? column : Width() - 1};
    if (p.line < page.first || p.line > page.last)
        return info;
    for (;;) {
        const ScreenCell& c = CellAt(p);
        if (!videoFound && (c.rendition & kTaAttributeCell)) {
            info.video = c.rendition & kTaVideoBits;
            videoFound = true;
        }
        if (c.rendition & kTaFieldStart) {
            info.data = TaDataByte(c);
            info.colour = c.colour;
            info.startLine = p.line;
            info.startColumn = p.column;
            if (videoFound)
                return info;
        }
        if (!Previous(page, p))
            break;
    }
    if (!videoFound)
        info.video = page.baseVideo & kTaVideoBits;
    return info;
}

void TaRespreadFrom(const TaPage& page, int line, int column)
{
    if (Ta.mode == kTaAnsi || line < page.first || line > page.last)
        return;
    const TaFieldInfo at = TaFieldAttributeAt(page, line, column);
    u8 video = at.video, colour = at.colour;
    bool videoOn = true, colourOn = true;
    Pos p{line, column};
    while ((videoOn || colourOn) && Next(page, p)) {
        ScreenCell& c = TaLineAt(p.line).cells[p.column];
        if (c.rendition & kTaFieldStart)
            colourOn = false;
        if (c.rendition & kTaAttributeCell) {
            videoOn = false;
            continue;
        }
        u8 v = c.rendition;
        if (videoOn)
            v = static_cast<u8>((v & ~kTaVideoBits) | video);
        const u8 col = colourOn ? colour : c.colour;
        if (v != c.rendition || col != c.colour) {
            c.rendition = v;
            c.colour = col;
            TaMarkLineDirty(p.line, p.column, p.column);
        }
    }
}

void TaSpreadFieldAttributes()
{
    if (!TaPageShown() || Ta.mode == kTaAnsi)
        return;
    const TaPage& page = TaDisplayPage();
    // What is in force where the view starts: the page's base at its first line, else
    // what the lines above the view left.
    TaFieldInfo in{static_cast<u8>(page.baseVideo & kTaVideoBits), 0, 0};
    if (page.top > page.first)
        in = TaFieldAttributeAt(page, page.top - 1, Ta.lastColumn);
    u8 video = in.video, colour = in.colour;
    for (int r = 0; r < kTaRows && page.top + r <= page.last; ++r) {
        TaLine& line = TaLineAt(page.top + r);
        for (int c = 0; c < kTaColumns; ++c) {
            ScreenCell& cell = line.cells[c];
            if (cell.rendition & kTaFieldStart)
                colour = cell.colour;
            if (cell.rendition & kTaAttributeCell) {
                video = cell.rendition & kTaVideoBits;
                continue;
            }
            cell.rendition = static_cast<u8>((cell.rendition & ~kTaVideoBits) | video);
            cell.colour = colour;
        }
    }
}

bool TaPositionProtected(const TaPage& page, int line, int column)
{
    const Pos p{line, column};
    if (line < page.first || line > page.last)
        return true;
    if (IsFieldStart(p))
        return true;
    return (TaFieldAttributeAt(page, line, column).data & kTaProtectedField) != 0;
}

void TaNextUnprotectedField()
{
    TaPage& page = TaCurrentPage();
    const Pos from = CursorOf(page);
    Pos p = from;
    for (;;) {
        const Pos at = p;
        NextWrapping(page, p);
        if (StartsUnprotectedField(at)) {
            // The field's first position, unless it is at once another field start.
            if (!IsFieldStart(p)) {
                MoveTo(page, p);
                return;
            }
        }
        if (p.line == from.line && p.column == from.column)
            break;
    }
    MoveTo(page, Pos{page.top, 0});
}

void TaPrevUnprotectedField()
{
    TaPage& page = TaCurrentPage();
    const Pos from = CursorOf(page);
    Pos p = from;
    // Back past the start of the field the cursor is in.
    bool leftField = false;
    for (int steps = 0; steps < (page.last - page.first + 1) * Width() + 1; ++steps) {
        PreviousWrapping(page, p);
        if (IsFieldStart(p)) {
            if (StartsUnprotectedField(p) && leftField) {
                Pos first = p;
                NextWrapping(page, first);
                if (!IsFieldStart(first)) {
                    MoveTo(page, first);
                    return;
                }
            }
            leftField = true;
        }
    }
    MoveTo(page, Pos{page.top, 0});
}

void TaMoveToUnprotected()
{
    TaPage& page = TaCurrentPage();
    const Pos p = CursorOf(page);
    if (TaPositionProtected(page, p.line, p.column))
        TaNextUnprotectedField();
}

bool TaFieldBounds(const TaPage& page, int line, int column, int* firstLine, int* firstColumn, int* lastLine,
                   int* lastColumn)
{
    const TaFieldInfo info = TaFieldAttributeAt(page, line, column);
    Pos first{page.first, 0};
    if (info.startLine >= 0) {
        first = Pos{info.startLine, info.startColumn};
        if (!Next(page, first))
            return false;
    }
    Pos last = first;
    Pos p = first;
    while (!IsFieldStart(p)) {
        last = p;
        if (!Next(page, p))
            break;
    }
    *firstLine = first.line;
    *firstColumn = first.column;
    *lastLine = last.line;
    *lastColumn = last.column;
    return !IsFieldStart(first);
}

void TaStartOfField()
{
    TaPage& page = TaCurrentPage();
    int fl, fc, ll, lc;
    if (TaFieldBounds(page, page.cursorLine, page.cursorColumn, &fl, &fc, &ll, &lc))
        MoveTo(page, Pos{fl, fc});
}

void TaEndOfField()
{
    TaPage& page = TaCurrentPage();
    int fl, fc, ll, lc;
    if (TaFieldBounds(page, page.cursorLine, page.cursorColumn, &fl, &fc, &ll, &lc))
        MoveTo(page, Pos{ll, lc});
}

void TaEndOfData()
{
    TaPage& page = TaCurrentPage();
    if (Ta.mode == kTaProtected) {
        int fl, fc, ll, lc;
        if (!TaFieldBounds(page, page.cursorLine, page.cursorColumn, &fl, &fc, &ll, &lc))
            return;
        // After the last non-blank character of the field, or its first position.
        Pos end{fl, fc};
        Pos p{fl, fc};
        for (;;) {
            if (CellAt(p).ch != ' ') {
                end = p;
                if (!(p.line == ll && p.column == lc))
                    NextWrapping(page, end);
            }
            if (p.line == ll && p.column == lc)
                break;
            Next(page, p);
        }
        MoveTo(page, end);
        return;
    }
    // Block and the other modes: after the last non-blank of the line, the next line
    // when the line is full.
    const TaLine& line = TaLineAt(page.cursorLine);
    int last = -1;
    for (int c = Ta.lastColumn; c >= 0; --c)
        if (line.cells[c].ch != ' ' && !(line.cells[c].rendition & kTaAttributeCell)) {
            last = c;
            break;
        }
    Pos p{page.cursorLine, last + 1};
    if (p.column > Ta.lastColumn)
        p = Pos{page.cursorLine < page.last ? page.cursorLine + 1 : page.first, 0};
    MoveTo(page, p);
}

void TaHomeDown()
{
    TaPage& page = TaCurrentPage();
    const int bottom = Ta.mode == kTaConversational ? page.bottom : page.last;
    MoveTo(page, Pos{bottom, Ta.lastColumn});
    if (Ta.mode == kTaProtected && TaPositionProtected(page, page.cursorLine, page.cursorColumn))
        TaPrevUnprotectedField();
}
