// The rectangular-area commands of the VT420 class: change and reverse renditions,
// copy between pages, fill, erase and selective erase, and column insert and delete.
// Forms and full-screen editors use them to repaint a part of the screen in one step.
#include <new>
#include <vector>

#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/pages/rectangles.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr u8 kRenditionBits = kRendBlink | kRendReverse | kRendUnderline | kRendBold | kRendInvisible;

// The attribute change extent: 0 stream (from the first cell to the last, whole rows
// between), 1 rectangle.
u8 g_extent = 0;

bool Allowed()
{
    return IsVt420Class() && ParamMarker() == ' ';
}

// The rendition bit an attribute parameter names: 1, 4, 5, 7, 8 (and 254, invisible
// too) and their "off" forms 22, 24, 25, 27, 28; 0 for others.
u8 RenditionBitOf(int p)
{
    // clang-format off
    switch (p) {
    case 1: case 22: return kRendBold;
    case 4: case 24: return kRendUnderline;
    case 5: case 25: return kRendBlink;
    case 7: case 27: return kRendReverse;
    case 8: case 28: case 254: return kRendInvisible;
    default: return 0;
    }
    // clang-format on
}

// Calls apply(line, column) for every cell of the area in the extent chosen.
template <typename Apply>
void ForEachAreaCell(const CellArea& a, bool rectangle, Apply apply)
{
    for (int row = a.top; row <= a.bottom; ++row) {
        ScreenLineRecord* line = LineAt(row);
        if (!line)
            continue;
        int first = a.left, last = a.right;
        if (!rectangle) {
            first = row == a.top ? a.left : 0;
            last = row == a.bottom ? a.right : Screen.lastColumn;
        }
        for (int c = first; c <= last; ++c)
            apply(line, c);
    }
}

void MarkBlinkingLines(const CellArea& a)
{
    for (int row = a.top; row <= a.bottom; ++row)
        if (ScreenLineRecord* line = LineAt(row))
            for (int c = 0; c < kStoreColumns; ++c)
                if (line->cells[c].rendition & kRendBlink) {
                    line->cells[0].flags |= kLineBlinks;
                    break;
                }
}

void ChangeRenditions(bool reverse)
{
    if (!Allowed() || ParamCount() <= 4)
        return;
    const bool rectangle = g_extent == 1;
    const CellArea a = AreaFromParams(1, rectangle);
    ForEachAreaCell(a, rectangle, [reverse](ScreenLineRecord* line, int c) {
        u8& r = line->cells[c].rendition;
        for (int i = 5; i <= ParamCount(); ++i) {
            const int p = Param(i);
            if (reverse) {
                r ^= RenditionBitOf(p);
            } else if (p == 0) {
                r &= static_cast<u8>(~kRenditionBits);
            } else if (p >= 22 && p <= 28) {
                r &= static_cast<u8>(~RenditionBitOf(p));
            } else {
                r |= RenditionBitOf(p);
            }
        }
    });
    MarkBlinkingLines(a);
    CellArea painted = a;
    if (!rectangle && a.top != a.bottom) {
        painted.left = 0;
        painted.right = Screen.lastColumn;
    }
    RepaintArea(ActivePage(), painted);
}

}  // namespace

void ChangeRectangleAttributes()
{
    const MainDisplayScope mainDisplay;
    ChangeRenditions(false);
}

void ReverseRectangleAttributes()
{
    const MainDisplayScope mainDisplay;
    ChangeRenditions(true);
}

void SelectAttributeChangeExtent()
{
    if (!Allowed())
        return;
    const int p = Param(1);
    if (p <= 1)
        g_extent = 0;
    else if (p == 2)
        g_extent = 1;
}

int AttributeChangeExtent()
{
    return g_extent == 1 ? 2 : 1;
}

void ResetAttributeChangeExtent()
{
    g_extent = 0;
}

void CopyRectangle()
{
    const MainDisplayScope mainDisplay;
    if (!Allowed())
        return;
    const CellArea source = AreaFromParams(1);
    const int sourcePage = PageFromParam(Param(5));
    const int destPage = PageFromParam(Param(8));
    // The destination's corner; the copy keeps the source's size but only as far as
    // the destination page (or the margins in origin mode) reaches.
    const CellArea whole = WholeArea();
    int top = 0, left = 0;
    PositionFromParams(6, &top, &left);
    const int rows = source.bottom - source.top + 1, columns = source.right - source.left + 1;
    CellArea dest{top, left, top + rows - 1, left + columns - 1};
    if (dest.bottom > whole.bottom)
        dest.bottom = whole.bottom;
    if (dest.right > whole.right)
        dest.right = whole.right;
    // Read whole before writing: the areas may overlap on one page.
    std::vector<ScreenCell> copy;
    try {
        copy.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    } catch (const std::bad_alloc&) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        const ScreenLineRecord* line = PageLine(sourcePage, source.top + r);
        for (int c = 0; c < columns; ++c) {
            ScreenCell cell = line ? line->cells[source.left + c] : BlankCell();
            cell.flags = static_cast<u8>(cell.flags & ~kLineAttrBits);
            copy[static_cast<std::size_t>(r) * columns + c] = cell;
        }
    }
    for (int row = dest.top; row <= dest.bottom; ++row) {
        ScreenLineRecord* line = PageLine(destPage, row);
        if (!line)
            continue;
        for (int column = dest.left; column <= dest.right; ++column) {
            ScreenCell& target = line->cells[column];
            const ScreenCell& cell =
                copy[static_cast<std::size_t>(row - dest.top) * columns + (column - dest.left)];
            const u8 lineBits = static_cast<u8>(target.flags & kLineAttrBits);
            target = cell;
            target.flags = static_cast<u8>(cell.flags | lineBits);
            if (cell.rendition & kRendBlink)
                line->cells[0].flags |= kLineBlinks;
        }
    }
    RepaintArea(destPage, dest);
}

void FillRectangle()
{
    const MainDisplayScope mainDisplay;
    if (!Allowed())
        return;
    const int ch = Param(1);
    // Only graphic characters fill an area.
    if (!((ch >= 32 && ch <= 126) || (ch >= 160 && ch <= 255)))
        return;
    const CellArea a = AreaFromParams(2);
    const u8 mapped = MapCharByGSet(ch);
    const u8 glyphSet = static_cast<u8>(CurrentFlags & kGlyphSetMask);
    ForEachAreaCell(a, true, [&](ScreenLineRecord* line, int c) {
        ScreenCell& cell = line->cells[c];
        cell.ch = mapped;
        cell.colour = CurrentColour;
        cell.rendition = static_cast<u8>(CurrentRendition | kRendWritten);
        cell.flags = static_cast<u8>((cell.flags & kLineAttrBits) | glyphSet);
    });
    MarkBlinkingLines(a);
    RepaintArea(ActivePage(), a);
}

namespace {
void EraseArea(bool selective)
{
    if (!Allowed())
        return;
    const CellArea a = AreaFromParams(1);
    const u8 colour = static_cast<u8>((Rendition.screenColour << 4) | (AttributeColourTable.frg[0] & 0x0F));
    ForEachAreaCell(a, true, [&](ScreenLineRecord* line, int c) {
        ScreenCell& cell = line->cells[c];
        if (selective) {
            if (!(cell.rendition & kRendProtected))
                cell.ch = 0x20;
            return;
        }
        cell = ScreenCell{0x20, colour, 0, static_cast<u8>(cell.flags & kLineAttrBits)};
    });
    RepaintArea(ActivePage(), a);
}
}  // namespace

void EraseRectangle()
{
    const MainDisplayScope mainDisplay;
    EraseArea(false);
}

void SelectiveEraseRectangle()
{
    const MainDisplayScope mainDisplay;
    EraseArea(true);
}

void InsertColumnsCommand()
{
    const MainDisplayScope mainDisplay;
    if (!Allowed() || Screen.cursorRow < Screen.top || Screen.cursorRow > Screen.bottom)
        return;
    InsertColumns(CountParam(1));
}

void DeleteColumnsCommand()
{
    const MainDisplayScope mainDisplay;
    if (!Allowed())
        return;
    DeleteColumns(CountParam(1));
}
