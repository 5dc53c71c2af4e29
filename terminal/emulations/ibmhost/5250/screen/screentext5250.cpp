#include "terminal/emulations/ibmhost/5250/screen/screentext5250.h"

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/station/screentext.h"

namespace {
// The field attribute in force at an address of the screen (the message line starts
// without one).
u8 AttributeAt(const I5250Session* s, i32 address, i32 areaStart)
{
    for (i32 a = address; a >= areaStart; --a)
        if (I5250IsAttributeCell(s->cells[static_cast<std::size_t>(a)]))
            return s->cells[static_cast<std::size_t>(a)].character;
    return 0x20;
}

wchar16 Shown(const I5250Session* s, const HostCell& c, u8 attribute)
{
    if (I5250IsAttributeCell(c) || c.character == 0 || (attribute & 0x07) == 0x07)
        return u' ';
    // Dup and field mark copy as the characters their symbols look like.
    if (c.character == 0x1C)
        return u'*';
    if (c.character == 0x1E)
        return u';';
    const wchar16 u = HostByteToUnicode(s->s2u, c.character);
    return u < 0x20 || (u >= 0x7F && u < 0xA0) ? u' ' : u;
}
}  // namespace

std::string I5250RowText(const I5250Session* s, int row)
{
    std::string text;
    if (s->cells.empty() || row < 0 || row >= s->current.rows)
        return text;
    const bool message = s->errorLineInUse && row == s->coveredRow;
    const i32 areaStart = message ? s->errorLineStart : 1;
    const i32 first = message ? s->errorLineStart : AddressOf(s, row, 0);
    u8 attribute = first > areaStart ? AttributeAt(s, first - 1, areaStart) : 0x20;
    std::size_t kept = 0;
    for (int c = 0; c < s->current.columns; ++c) {
        const HostCell& cell = s->cells[static_cast<std::size_t>(first + c)];
        if (I5250IsAttributeCell(cell))
            attribute = cell.character;
        const wchar16 u = Shown(s, cell, attribute);
        AppendUtf8(text, u);
        if (u != u' ')
            kept = text.size();
    }
    text.resize(kept);
    return text;
}

std::string I5250StatusText(const I5250Session* s)
{
    const std::size_t index = static_cast<std::size_t>(StatusRowIndex(s));
    if (index >= s->rows.size())
        return std::string();
    return StatusRowText(s->rows[index], s->current.columns, s->s2u, kStatusSymbol);
}
