#include "terminal/emulations/ibmhost/3270/cells3270.h"

#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"

namespace {
HostCell& At(I3270Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)];
}
}  // namespace

void I3270MarkCell(I3270Session* s, i32 address)
{
    At(s, address).flags |= kCellRepaint;
    s->changed = 1;
}

void I3270MarkAllCells(I3270Session* s)
{
    for (i32 a = 0; a < s->current.bufferSize; ++a)
        At(s, a).flags |= kCellRepaint;
    s->changed = 1;
}

void I3270MarkFieldRepaint(I3270Session* s, i32 address)
{
    i32 a = StepForward(*s, address);
    for (i32 n = 1; n < s->current.bufferSize && !IsAttribute(At(s, a)); ++n) {
        At(s, a).flags |= kCellRepaint;
        a = StepForward(*s, a);
    }
    s->changed = 1;
}

void I3270WriteAttributeCell(I3270Session* s, i32 address, const HostCell& cell)
{
    const i32 g = GoverningAttribute(*s, address);
    const HostCell before = g < 0 ? HostCell{} : At(s, g);
    HostCell& c = At(s, address);
    c = cell;
    c.flags |= kCellRepaint;
    s->changed = 1;
    if (g >= 0 && SameCell(before, cell))
        return;
    I3270MarkFieldRepaint(s, address);
}

void I3270WriteCell(I3270Session* s, i32 address, const HostCell& attributes, u8 character, bool graphicEscape)
{
    HostCell& c = At(s, address);
    const HostCell old = c;
    c.character = character;
    c.flags = (graphicEscape ? kCellGraphicEscape : 0) | kCellRepaint;
    c.highlighting = attributes.highlighting;
    c.colour = attributes.colour;
    c.charset = attributes.charset;
    s->changed = 1;
    if (IsAttribute(old)) {
        const HostCell& now = GoverningCell(*s, address);
        if (!SameCell(now, old))
            I3270MarkFieldRepaint(s, address);
    }
}

void I3270ClearCell(I3270Session* s, i32 address)
{
    I3270WriteCell(s, address, HostCell{}, 0, false);
}

void I3270BuildDisplayCell(const I3270Session* s, HostDisplayCell& out, const HostCell& g, const HostCell& c)
{
    out.character = c.character;
    out.field = static_cast<u8>((out.field & kDisplayMark) | (c.flags & kCellAttribute) |
                                (g.flags & kFieldAttributeBits));
    out.rendition = 0;
    out.colour = 0;
    const u8 highlighting = c.highlighting ? c.highlighting : g.highlighting;
    if (highlighting) {
        u8 entry = s->highlightMap[highlighting & 0x0F];
        if (!entry)
            entry = s->highlightMap[0];
        out.rendition = entry & 0x07;
    }
    const u8 colour = c.colour ? c.colour : g.colour;
    if (colour)
        out.colour = s->colourMap[colour & 0x0F] & 0x0F;
    const u8 charset = c.charset ? c.charset : g.charset;
    if ((c.flags & kCellGraphicEscape) || charset == 0xF1)
        out.rendition |= kDisplaySymbol;
}

void I3270UpdateDisplay(I3270Session* s)
{
    if (s->model == k3287PrinterModel || !s->changed || s->rows.empty())
        return;
    const int rows = s->current.rows, columns = s->current.columns;
    const bool layout = s->current.bufferSize != s->laidOutSize;
    i32 a = FirstAddress(*s);
    i32 g = GoverningAttribute(*s, a);
    for (int row = 0; row < rows; ++row) {
        int first = -1, last = -1;
        HostDisplayRow& line = s->rows[static_cast<std::size_t>(row)];
        for (int k = 0; k < columns; ++k, a = StepForward(*s, a)) {
            HostCell& c = At(s, a);
            if (IsAttribute(c))
                g = a;
            if (!(c.flags & kCellRepaint))
                continue;
            c.flags &= static_cast<u8>(~kCellRepaint);
            const int column = ColumnOf(s, a);
            HostDisplayCell& d = line.cells[column];
            HostDisplayCell n = d;
            I3270BuildDisplayCell(s, n, g < 0 ? s->defaultAttribute : At(s, g), c);
            if (n.character != d.character || n.colour != d.colour || n.rendition != d.rendition ||
                n.field != d.field || s->repaintAll) {
                d = n;
                if ((n.rendition & 0x07) == kHighlightBlink && n.character && n.character != 0x40) {
                    line.header[0] = 1;
                    s->blinkPresent = 1;
                }
                if (first < 0 || column < first)
                    first = column;
                if (column > last)
                    last = column;
            }
        }
        if (first >= 0 && !layout)
            PaintHostRow(s, row, first, last);
    }
    s->repaintAll = 0;
    s->changed = 0;
    if (layout) {
        s->laidOutSize = s->current.bufferSize;
        I3270ApplyScreenSize(s);
    }
}

void I3270RepaintRows(I3270Session* s, int first, int last)
{
    if (s->model == k3287PrinterModel || s->rows.empty())
        return;
    for (int row = first; row <= last && row <= s->current.rows; ++row) {
        s->rows[static_cast<std::size_t>(row)].header[0] = 0;
        PaintHostRow(s, row, 0, s->current.columns - 1);
    }
}

void I3270FillDisplayRows(I3270Session* s, const HostDisplayCell& cell)
{
    for (int row = 0; row < s->current.rows && row < static_cast<int>(s->rows.size()); ++row) {
        HostDisplayRow& line = s->rows[static_cast<std::size_t>(row)];
        line.header[0] = 0;
        for (HostDisplayCell& d : line.cells)
            d = cell;
    }
    s->blinkPresent = 0;
}

void I3270ClearCells(I3270Session* s)
{
    for (HostCell& c : s->cells)
        c = HostCell{};
    HostDisplayCell blank{};
    I3270BuildDisplayCell(s, blank, s->defaultAttribute, HostCell{});
    I3270FillDisplayRows(s, blank);
}

void I3270ScrollCellsUp(I3270Session* s)
{
    const i32 columns = s->current.columns, size = s->current.bufferSize;
    for (i32 a = 0; a + columns < size; ++a)
        s->cells[static_cast<std::size_t>(a)] = s->cells[static_cast<std::size_t>(a + columns)];
    for (i32 a = size - columns; a < size; ++a)
        s->cells[static_cast<std::size_t>(a)] = HostCell{};
    I3270MarkAllCells(s);
}
