#include "terminal/emulations/ibmhost/3270/screentext3270.h"

#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/station/screentext.h"

namespace {
// The box-drawing characters of the APL2 set, by their graphic-escape byte.
struct AplBox {
    u8 byte;
    wchar16 character;
};
constexpr AplBox kAplBoxes[] = {
    {0x85, 0x2502}, {0xA2, 0x2500}, {0xC4, 0x2514}, {0xC5, 0x250C}, {0xC6, 0x251C}, {0xC7, 0x2534},
    {0xD3, 0x253C}, {0xD4, 0x2518}, {0xD5, 0x2510}, {0xD6, 0x2524}, {0xD7, 0x252C},
};

}  // namespace

wchar16 I3270CellCharacter(const I3270Session* s, i32 address)
{
    const HostCell& c = s->cells[static_cast<std::size_t>(address)];
    if (IsAttribute(c) || c.character == 0)
        return u' ';
    if ((GoverningCell(*s, address).flags & kCellDisplayBits) == kCellDisplayBits)
        return u' ';
    const u8 charset = c.charset ? c.charset : GoverningCell(*s, address).charset;
    if ((c.flags & kCellGraphicEscape) || charset == 0xF1) {
        for (const AplBox& b : kAplBoxes)
            if (b.byte == c.character)
                return b.character;
        return u' ';
    }
    // DUP and field mark copy as the characters their symbols look like.
    if (c.character == 0x1C)
        return u'*';
    if (c.character == 0x1E)
        return u';';
    const wchar16 u = HostByteToUnicode(s->s2u, c.character);
    return u < 0x20 || (u >= 0x7F && u < 0xA0) ? u' ' : u;
}

std::string I3270RowText(const I3270Session* s, int row)
{
    std::string text;
    std::size_t kept = 0;
    for (int c = 0; c < s->current.columns; ++c) {
        const wchar16 u = I3270CellCharacter(s, row * s->current.columns + c);
        AppendUtf8(text, u);
        if (u != u' ')
            kept = text.size();
    }
    text.resize(kept);
    return text;
}

std::string I3270OiaText(const I3270Session* s)
{
    if (s->current.rows < 0 || static_cast<std::size_t>(s->current.rows) >= s->rows.size())
        return std::string();
    return StatusRowText(s->rows[static_cast<std::size_t>(s->current.rows)], s->current.columns, s->s2u,
                         kDisplaySymbol);
}
