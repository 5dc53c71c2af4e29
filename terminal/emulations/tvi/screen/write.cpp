// Writing characters, attributes that run over the page, box drawing and the reverse
// screen.
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

constexpr u8 kAttrBits = kTviBlink | kTviReverse | kTviUnderline | kTviInvisible;

// Box pieces.
constexpr u8 kBottomLeft = 133, kTopLeft = 134, kTopRight = 135, kBottomRight = 136;
constexpr u8 kVertical = 138, kHorizontal = 139;

void PlacePiece(int row, int column, u8 piece)
{
    if (row < 0 || column < 0 || column > Tvi.set.lastColumn || row > Tvi.set.displayHeight ||
        row > Tvi.set.rowsPerPage - 1)
        return;
    TviLine* line = TviLineAt(row);
    if (!line)
        return;
    ScreenCell& cell = line->cells[column];
    if (cell.flags & kTviBoxCell)
        cell.ch = TviMergeBox(cell.ch, piece);
    else
        cell.ch = piece;
    cell.flags = static_cast<u8>((cell.flags & ~kTviGlyphMask) | kTviBoxCell | kTviGlyphLines);
    cell.rendition |= kTviProtected;
    TviMarkDirty(row, column, column);
}

}  // namespace

void TviWriteChar(u8 ch, u8 glyph)
{
    if (Tvi.wrapPending) {
        Tvi.wrapPending = false;
        TviLineFeed();
        TviCarriageReturn();
    }
    TviLine* line = TviLineAt(Tvi.cursorRow);
    if (!line)
        return;
    ScreenCell& cell = line->cells[Tvi.cursorColumn];
    if (Tvi.set.protect && (cell.rendition & kTviProtected))
        return;
    TviReturnView();
    if (Tvi.set.insertMode)
        TviInsertChars(1);
    const bool prot = Tvi.set.writeProtect || Tvi.graphics;
    bool bright = prot && !Tvi.graphics;
    if (Tvi.intensityInverted && !Tvi.graphics)
        bright = !bright;
    u8 rendition = static_cast<u8>(cell.rendition & ~(kTviProtected | kTviIntensity));
    if (prot)
        rendition |= kTviProtected;
    if (bright)
        rendition |= kTviIntensity;
    cell.ch = ch;
    cell.rendition = rendition;
    cell.flags = static_cast<u8>((cell.flags & 0x80) | (glyph & kTviGlyphMask));
    if (Tvi.attrPending && Tvi.attrPendingLine == Tvi.cursorRow && Tvi.attrPendingColumn == Tvi.cursorColumn)
        Tvi.attrPendingWritten = true;
    if (Tvi.set.marginBellOn && Tvi.cursorColumn == Tvi.set.marginBellColumn)
        RequestBell();
    if ((cell.rendition & kTviAttrStart) && !Tvi.set.protect)
        TviDropAttributeStart(Tvi.cursorRow, Tvi.cursorColumn);
    TviAdvanceCursor();
}

void TviAdvanceCursor()
{
    TviMarkDirty(Tvi.cursorRow, Tvi.cursorColumn, Tvi.cursorColumn);
    if (Tvi.cursorColumn < Tvi.set.lastColumn)
        ++Tvi.cursorColumn;
    else if (Tvi.set.autoWrap)
        Tvi.wrapPending = true;
}

void TviApplyAttribute(int line, int column, u8 code)
{
    const int lastLine = line >= kTviPageLines ? line : Tvi.set.rowsPerPage - 1;
    int r = line, c = column;
    bool first = true;
    while (r <= lastLine) {
        TviLine* l = TviLineAt(r);
        ScreenCell& cell = l->cells[c];
        if (!first && (cell.rendition & kTviAttrStart))
            break;
        first = false;
        cell.rendition = static_cast<u8>((cell.rendition & ~kAttrBits) | code);
        TviMarkDirty(r, c, c);
        if (++c > Tvi.set.lastColumn) {
            if (Tvi.set.attrMode || line >= kTviPageLines)
                break;
            c = 0;
            ++r;
        }
    }
}

void TviDropAttributeStart(int line, int column)
{
    TviLine* l = TviLineAt(line);
    if (!l)
        return;
    l->cells[column].rendition &= ~kTviAttrStart;
    // The attribute that runs into the cell from the left applies again from there.
    u8 code = 0;
    int r = line, c = column;
    for (;;) {
        if (--c < 0) {
            if (Tvi.set.attrMode || r == 0 || line >= kTviPageLines)
                break;
            --r;
            c = Tvi.set.lastColumn;
        }
        const ScreenCell& cell = TviLineAt(r)->cells[c];
        if (cell.rendition & kTviAttrStart) {
            code = cell.rendition & kAttrBits;
            break;
        }
    }
    TviApplyAttribute(line, column, code);
}

void TviAttribute(u8 x)
{
    if (x < '0' || x > '?')
        return;
    const int d = x - '0';
    u8 code = 0;
    if (d & 1)
        code |= kTviInvisible;
    if (d & 2)
        code |= kTviBlink;
    if (d & 4)
        code |= kTviReverse;
    if (d & 8)
        code |= kTviUnderline;
    if (Tvi.reverseScreen)
        code ^= kTviReverse;
    if (Tvi.wrapPending) {
        Tvi.wrapPending = false;
        TviLineFeed();
        TviCarriageReturn();
    }
    const int row = Tvi.cursorRow, column = Tvi.cursorColumn;
    TviLine* line = TviLineAt(row);
    if (Tvi.set.attrSpace) {
        ScreenCell& cell = line->cells[column];
        if (!(Tvi.set.protect && (cell.rendition & kTviProtected))) {
            cell.ch = ' ';
            cell.flags &= 0x80;
            cell.rendition = static_cast<u8>((cell.rendition & kTviIntensity) | kTviProtected | kTviAttrStart);
        }
        TviApplyAttribute(row, column, code);
        TviAdvanceCursor();
    } else {
        TviApplyAttribute(row, column, code);
        Tvi.attrPending = true;
        Tvi.attrPendingLine = row;
        Tvi.attrPendingColumn = column;
        Tvi.attrPendingWritten = false;
    }
    if (!Tvi.set.attrMode)
        TviMarkAll();
}

u8 TviMergeBox(u8 existing, u8 piece)
{
    struct Row {
        u8 piece;
        u8 merges[11];  // result for existing 133..143
    };
    // clang-format off
    static constexpr Row kTable[] = {
        //               133  134  135  136  137  138  139  140  141  142  143
        {kBottomLeft,  {133, 141, 137, 143, 137, 141, 143, 137, 141, 137, 143}},
        {kTopLeft,     {141, 134, 142, 137, 137, 141, 142, 137, 141, 142, 137}},
        {kTopRight,    {137, 142, 135, 140, 137, 140, 142, 140, 137, 142, 137}},
        {kBottomRight, {143, 137, 140, 136, 137, 140, 143, 140, 137, 137, 143}},
        {kVertical,    {141, 141, 140, 140, 137, 138, 137, 140, 141, 137, 137}},
        {kHorizontal,  {143, 142, 142, 143, 137, 137, 139, 137, 137, 142, 143}},
    };
    // clang-format on
    if (existing < 133 || existing > 143)
        return piece;
    for (const Row& row : kTable)
        if (row.piece == piece)
            return row.merges[existing - 133];
    return existing;
}

void TviBox(int width, int height)
{
    const int r = Tvi.cursorRow, c = Tvi.cursorColumn;
    if (height == 0) {
        for (int i = 0; i <= width; ++i)
            PlacePiece(r, c + i, kHorizontal);
    } else if (width == 0) {
        for (int i = 0; i <= height; ++i)
            PlacePiece(r + i, c, kVertical);
    } else {
        PlacePiece(r, c, kTopLeft);
        for (int i = 1; i < width; ++i)
            PlacePiece(r, c + i, kHorizontal);
        PlacePiece(r, c + width, kTopRight);
        for (int i = 1; i < height; ++i)
            PlacePiece(r + i, c + width, kVertical);
        PlacePiece(r + height, c + width, kBottomRight);
        for (int i = width - 1; i >= 1; --i)
            PlacePiece(r + height, c + i, kHorizontal);
        PlacePiece(r + height, c, kBottomLeft);
        for (int i = height - 1; i >= 1; --i)
            PlacePiece(r + i, c, kVertical);
    }
    TviMarkAll();
}

void TviReverseScreen(bool on)
{
    if (Tvi.reverseScreen == on)
        return;
    Tvi.reverseScreen = on;
    for (int i = 0; i < kTviLines; ++i) {
        TviLine* line = TviLineAt(i);
        for (ScreenCell& cell : line->cells)
            cell.rendition ^= kTviReverse;
    }
    TviMarkAll();
}

void TviRecolourScreen(u8 oldForeground, u8 oldBackground, u8 newForeground, u8 newBackground)
{
    if (!TviLinesAllocated())
        return;
    for (int i = 0; i < kTviLines; ++i)
        for (ScreenCell& cell : TviLineAt(i)->cells) {
            u8 fg = cell.colour & 0x0F, bg = cell.colour >> 4;
            if (fg == (oldForeground & 0x0F))
                fg = newForeground & 0x0F;
            if (bg == (oldBackground & 0x0F))
                bg = newBackground & 0x0F;
            cell.colour = static_cast<u8>(fg | (bg << 4));
        }
    TviMarkAll();
}
