#include "terminal/emulations/wyse/paint/rowlook.h"

#include <utility>

#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"

namespace {

bool TextRow(int row)
{
    return row >= 1 && row <= WyStore.displaySize;
}

}  // namespace

void WyseRowCarries(u8 (&carry)[kWyseScreenRows])
{
    u8 attribute = 0;
    for (int r = 0; r < kWyseScreenRows; ++r) {
        const bool chained = !WyStore.attrMode60 && WySet.attrType == 0 && TextRow(r);
        carry[r] = chained ? attribute : 0;
        attribute = carry[r];
        const ScreenLineRecord* line = WyStore.row[r];
        if (!chained || !line) {
            attribute = 0;
            continue;
        }
        for (int c = 0; c <= WyStore.columnsLast; ++c)
            if (line->cells[c].rendition & kWyAttrCell)
                attribute = line->cells[c].rendition & kWyVideoBits;
    }
}

void WyseRowLooks(int row, u8 carry, WysePaintCell* out, int count)
{
    const ScreenLineRecord* line = row >= 0 && row < kWyseScreenRows ? WyStore.row[row] : nullptr;
    const bool embedded = !WyStore.attrMode60;
    u8 attribute = carry;
    for (int c = 0; c < count; ++c) {
        const ScreenCell cell = line && c < kWyseCells ? line->cells[c] : ScreenCell{' ', 0, 0, 0};
        u8 rendition, colour;
        u16 glyph;
        if (embedded) {
            if (cell.rendition & kWyAttrCell) {
                attribute = cell.rendition & kWyVideoBits;
                rendition = 0;
                glyph = ' ';
            } else {
                rendition = static_cast<u8>(attribute | (cell.rendition & kWyProtected));
                glyph = cell.ch ? WyseCharGlyph(cell.ch, cell.flags & kWyBankBits) : ' ';
            }
            colour = WyseAttributeColour350(rendition);
        } else {
            rendition = cell.rendition;
            colour = cell.colour;
            glyph = cell.ch || (cell.flags & 1) ? WyseCharGlyph(cell.ch, cell.flags & kWyBankBits) : ' ';
        }
        const WyseCellLook look = WyseLookOf(colour, rendition, false);
        out[c] = WysePaintCell{glyph, look.foreground, look.background, look.effects};
        // A selected cell shows its colours exchanged.
        if (cell.flags & kCellSelected)
            std::swap(out[c].foreground, out[c].background);
    }
}
