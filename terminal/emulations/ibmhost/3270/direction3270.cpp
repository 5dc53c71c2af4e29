#include "terminal/emulations/ibmhost/3270/direction3270.h"

#include <utility>

#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"

namespace {
constexpr u16 kReversedInput = 0x03, kMirrored = 0x04, kNationalMap = 0x08;

// The cursor to the first or the last position of its field, in the order the layout
// walks the buffer; nothing on an attribute or an unformatted screen.
void CursorToFieldEdge(I3270Session* s, bool last)
{
    const i32 g = GoverningAttribute(*s, s->cursor);
    if (g < 0 || IsAttribute(s->cells[static_cast<std::size_t>(s->cursor)]))
        return;
    if (last)
        s->cursor = StepBackward(*s, NextAttribute(*s, StepForward(*s, s->cursor)));
    else
        s->cursor = StepForward(*s, g);
}
}  // namespace

void I3270ReverseInput(I3270Session* s)
{
    CursorToFieldEdge(s, true);
    if (s->direction & kReversedInput)
        s->direction &= static_cast<u16>(~(kReversedInput | kNationalMap));
    else
        s->direction |= 0x01 | kNationalMap;
    RedrawOia(s);
}

void I3270ReverseCursorLine(I3270Session* s)
{
    const bool reversed = (s->direction & kMirrored) != 0;
    if (reversed)
        s->direction |= 0x01 | kNationalMap;
    else
        s->direction &= static_cast<u16>(~(kReversedInput | kNationalMap));
    CursorToFieldEdge(s, false);
    RedrawOia(s);
}

void I3270LocalMapToggle(I3270Session* s)
{
    s->direction ^= kNationalMap;
}

void I3270ReverseScreen(I3270Session* s)
{
    const i32 columns = s->current.columns, size = s->current.bufferSize;
    // A printer has no screen to turn (and its buffer may end inside a row).
    if (s->model == k3287PrinterModel || columns <= 0 || size % columns != 0 ||
        s->cells.size() < static_cast<std::size_t>(size))
        return;
    for (i32 row = 0; row < size; row += columns)
        for (i32 l = row, r = row + columns - 1; l < r; ++l, --r)
            std::swap(s->cells[static_cast<std::size_t>(l)], s->cells[static_cast<std::size_t>(r)]);
    s->cursor = s->cursor - s->cursor % columns + (columns - 1 - s->cursor % columns);
    s->direction ^= 0x02 | kMirrored | kNationalMap;
    I3270MarkAllCells(s);
    s->repaintAll = 1;
    I3270UpdateDisplay(s);
    RedrawOia(s);
}
