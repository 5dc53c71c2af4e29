#include "terminal/emulations/tvi/screen/display.h"

#include "terminal/core/screen/display.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

// Characters 161-254 as the terminal shows them: Latin-1 but for these.
u16 HighCharacter(u8 ch)
{
    switch (ch) {
    case 164: return 0x20A7;
    case 166: return 0x00AE;
    case 168: return 0x00A4;
    case 171: return 0x03B8;
    case 172: return 0x220F;
    case 173: return 0x00B5;
    case 174: return 0x03A9;
    case 175: return 0x03A3;
    case 176:
    case 181:
    case 186: return 0x00BA;
    case 177:
    case 182: return 0x00B9;
    case 178:
    case 183: return 0x00B2;
    case 179:
    case 184: return 0x00B3;
    case 180:
    case 185: return 0x207F;
    case 187: return 0x00B1;
    case 188: return 0x2264;
    case 189: return 0x2260;
    case 190: return 0x2265;
    case 208: return 0x2310;
    case 215: return 0x0152;
    case 221: return 0x0178;
    case 222: return 0x02D9;
    case 240: return 0x00AC;
    case 247: return 0x0153;
    case 253: return 0x00FF;
    case 254: return 0x00A8;
    default: return ch;
    }
}

// Box pieces as the characters copying gives.
u16 BoxCharacter(u8 ch)
{
    static constexpr u16 kBoxes[] = {0x2514, 0x250C, 0x2510, 0x2518, 0x253C, 0x2502,
                                     0x2500, 0x2524, 0x251C, 0x252C, 0x2534};
    if (ch >= 133 && ch <= 143)
        return kBoxes[ch - 133];
    return u' ';
}

void AppendUtf8(std::string& out, u16 c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool Running()
{
    return Tvi.active && TviLinesAllocated();
}

}  // namespace

int TviCombination(u8 rendition)
{
    int index = 0;
    if (rendition & kTviIntensity)
        index |= kTviComboBold;
    if (rendition & kTviUnderline)
        index |= kTviComboUnderline;
    if (rendition & kTviBlink)
        index |= kTviComboBlink;
    if (rendition & kTviReverse)
        index |= kTviComboReverse;
    return index;
}

bool TviCellBlinks(const ScreenCell& cell)
{
    return (cell.rendition & kTviBlink) && (Tvi.colours.foreground[TviCombination(cell.rendition)] & 0x10);
}

u16 TviShownChar(const ScreenCell& cell)
{
    if (!Tvi.screenOn || (cell.rendition & kTviInvisible))
        return u' ';
    if ((cell.rendition & kTviAttrStart) && Tvi.set.attrSpace)
        return u' ';
    const u8 glyph = cell.flags & kTviGlyphMask;
    if (glyph == kTviGlyphLines || glyph == kTviGlyphBlocks)
        return 0;
    if (glyph == kTviGlyphControl)
        return static_cast<u16>(cell.ch == 27 ? 0x241B : 0x2400 + (cell.ch & 0x1F));
    const u8 ch = cell.ch;
    if (ch == 0)
        return u' ';
    if (ch == 127)
        return 0x2591;
    if (ch == 255)
        return 1;
    if (ch >= 161)
        return HighCharacter(ch);
    if (ch >= 128)
        return u' ';
    return ch;
}

u16 TviCellChar(const ScreenCell& cell)
{
    const u16 shown = TviShownChar(cell);
    if (shown)
        return shown == 1 ? u' ' : shown;
    if ((cell.flags & kTviGlyphMask) == kTviGlyphLines)
        return BoxCharacter(cell.ch);
    return 0x2588;
}

bool TviTextCursor(int* row, int* column, int* style)
{
    *style = 0;
    if (!Running() || Tvi.cursorStyle == 0 || !Tvi.screenOn)
        return false;
    const int windowRow = Tvi.cursorRow - Tvi.scrollOffset + 1;
    if (windowRow < 1 || windowRow > Tvi.set.displayHeight + 1)
        return false;
    *row = windowRow;
    *column = Tvi.cursorColumn;
    // The caret's styles: 0 blinking underline, 1 blinking block, 2 steady underline,
    // 3 steady block.
    switch (Tvi.cursorStyle) {
    case 1: *style = 1; break;
    case 2: *style = 3; break;
    case 3: *style = 0; break;
    default: *style = 2; break;
    }
    return true;
}

void TviDimensions(int* rows, int* pageLength, int* lineCount)
{
    const int n = TviWindowRows();
    if (rows)
        *rows = n;
    if (pageLength)
        *pageLength = n;
    if (lineCount)
        *lineCount = n;
}

int TviWindowColumns()
{
    return Tvi.set.lastColumn + 1;
}

int TviBackgroundIndex()
{
    return Tvi.colours.background[0] & 0x0F;
}

void TviIdleWork()
{
    if (!Running())
        return;
    TviPrintFinished();
    TviFlushDirty();
}

void TviIdleRefresh()
{
    if (!Running())
        return;
    TviShowCursorPosition();
    TviFlushDirty();
}

void TviRedrawBlinking()
{
    if (!Running() || Tvi.set.stopFlash)
        return;
    for (int row = 0; row < TviWindowRows(); ++row) {
        const TviLine* line = TviLineAt(TviWindowLine(row));
        int first = -1, last = -1;
        for (int c = 0; c <= Tvi.set.lastColumn; ++c)
            if (TviCellBlinks(line->cells[c])) {
                if (first < 0)
                    first = c;
                last = c;
            }
        if (first >= 0)
            RepaintScreenRegion(row, first, row, last);
    }
}

void TviScreenText(std::string& out)
{
    if (!Running())
        return;
    int row = -1, column = -1, style = 0;
    if (!TviTextCursor(&row, &column, &style)) {
        row = Tvi.cursorRow - Tvi.scrollOffset + 1;
        column = Tvi.cursorColumn;
    }
    out += "cursor " + std::to_string(row) + " " + std::to_string(column) + " emulation " +
           std::to_string(Tvi.tvi950 ? 22 : 19) + "\n";
    for (int r = 0; r < TviWindowRows(); ++r) {
        const TviLine* line = TviLineAt(TviWindowLine(r));
        std::string text;
        std::size_t kept = 0;
        for (int c = 0; c <= Tvi.set.lastColumn; ++c) {
            const u16 ch = TviCellChar(line->cells[c]);
            AppendUtf8(text, ch);
            if (ch != u' ')
                kept = text.size();
        }
        text.resize(kept);
        out += text + "\n";
    }
}

bool TviSelectionArea(SelectionArea* area)
{
    if (!Running())
        return false;
    *area = SelectionArea{};
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = TviWindowRows() - 1;
    area->leftColumn = 0;
    area->rightColumn = Tvi.set.lastColumn;
    area->visibleRows = TviWindowRows();
    return true;
}

ScreenCell* TviSelectionRow(int row, int* columns, int* cellWidth)
{
    if (!Running() || row < 0 || row >= TviWindowRows())
        return nullptr;
    TviLine* line = TviLineAt(TviWindowLine(row));
    *columns = Tvi.set.lastColumn + 1;
    *cellWidth = 0;
    return line->cells;
}
