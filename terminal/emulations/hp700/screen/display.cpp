#include "terminal/emulations/hp700/screen/display.h"

#include "terminal/core/screen/display.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/settings/store/colours.h"

namespace {

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

// The character a test reads for a cell: alternate-set cells as their code's letter
// (hosts name the line pieces by the letters they send), controls as their pictures.
u16 DumpCharacter(const ScreenCell& cell)
{
    if (cell.ch == 0 || (cell.rendition & kHpSecurity))
        return u' ';
    switch (Hp700CellGlyphSet(cell)) {
    case 2: return static_cast<u16>(0x2400 + (cell.ch & 0x1F));
    case 1: return static_cast<u16>(cell.ch);
    default: break;
    }
    if (cell.ch < 32)
        return u' ';
    return Hp700Roman8Char(cell.ch);
}

bool LabelScreen()
{
    return Hp700.menu == kHpMenuLabelEntry || Hp700.menu == kHpMenuLabels;
}

}  // namespace

const HpLine* Hp700WindowLine(int row)
{
    if (!Hp700Running() || row < 0)
        return nullptr;
    if (row < kHpScreenRows)
        return Hp700ScreenLine(row);
    if (row < kHpScreenRows + 2 && LabelScreen())
        return &Hp700.labelLines[2 * Hp700.menu + (row - kHpScreenRows)];
    return nullptr;
}

int Hp700Combination(u8 enhancement)
{
    return ((enhancement & kHpEnhHalfBright) ? 1 : 0) | ((enhancement & kHpEnhUnderline) ? 2 : 0) |
           ((enhancement & kHpEnhBlink) ? 4 : 0) | ((enhancement & kHpEnhInverse) ? 8 : 0);
}

int Hp700CellGlyphSet(const ScreenCell& cell)
{
    if (cell.flags & kHpMarkControl)
        return cell.ch < 32 ? 2 : 0;
    if ((cell.rendition & kHpAltSet) && Hp700AlternateGlyph(cell.ch) >= 0)
        return 1;
    return 0;
}

int Hp700AlternateGlyph(u8 code)
{
    if (code < 0x20 || code > 0x7F)
        return -1;
    const u8 folded = code >= 0x40 ? static_cast<u8>(code & ~0x20) : code;
    return folded - 0x20;
}

bool Hp700TextCursor(int* row, int* column, int* style)
{
    *style = 0;
    if (!Hp700Running() || Hp700.displayOff)
        return false;
    *row = Hp700CursorScreenRow();
    *column = Hp700.cursorColumn;
    return *row >= 0 && *row < kHpScreenRows;
}

void Hp700Dimensions(int* rows, int* pageLength, int* lineCount)
{
    if (rows)
        *rows = kHpScreenRows;
    if (pageLength)
        *pageLength = kHpScreenRows;
    if (lineCount)
        *lineCount = kHpScreenRows;
}

int Hp700ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 2;  // the label rows
}

int Hp700WindowColumns()
{
    return Hp700.lastColumn + 1;
}

int Hp700BackgroundIndex()
{
    return Hp700.settings.background[0] & 0x0F;
}

bool Hp700CellBlinks(const ScreenCell& cell)
{
    if (!(cell.rendition & kHpEnhBlink) || cell.ch == 0 || cell.ch == ' ' || (cell.rendition & kHpSecurity))
        return false;
    return (AttributeColourTable.frg[Hp700Combination(cell.rendition)] & 0x10) != 0;
}

void Hp700RedrawBlinking()
{
    if (!Hp700Running())
        return;
    for (int row = 0; row < kHpScreenRows; ++row) {
        HpLine* line = Hp700ScreenLine(row);
        if (!line->blinks)
            continue;
        int first = -1, last = -1;
        for (int c = 0; c <= Hp700.lastColumn; ++c)
            if (Hp700CellBlinks(line->cells[c])) {
                if (first < 0)
                    first = c;
                last = c;
            }
        if (first < 0)
            line->blinks = 0;
        else
            RepaintScreenRegion(row, first, row, last);
    }
}

void Hp700IdleWork()
{
    if (!Hp700Running())
        return;
    Hp700FlushRow();
    Hp700FlushSend();
    Hp700IdleUpdate();
}

void Hp700ScreenText(std::string& out)
{
    if (!Hp700Running())
        return;
    int row = 0, column = 0, style = 0;
    if (!Hp700TextCursor(&row, &column, &style)) {
        row = Hp700CursorScreenRow();
        column = Hp700.cursorColumn;
    }
    out += "cursor " + std::to_string(row) + " " + std::to_string(column) + " emulation 18\n";
    for (int r = 0; r < kHpScreenRows; ++r) {
        const HpLine* line = Hp700WindowLine(r);
        std::string text;
        std::size_t kept = 0;
        for (int c = 0; line && c <= Hp700.lastColumn; ++c) {
            const u16 ch = DumpCharacter(line->cells[c]);
            AppendUtf8(text, ch);
            if (ch != u' ')
                kept = text.size();
        }
        text.resize(kept);
        out += text + "\n";
    }
    // The label row: the label screen's lines, or the labels of the soft-key menu.
    for (int which = 0; which < 2; ++which) {
        const HpLine* line = Hp700WindowLine(kHpScreenRows + which);
        if (!line)
            line = Hp700MenuLabelLine(which);
        std::string text;
        for (int c = 0; line && c < 80; ++c)
            AppendUtf8(text, line->cells[c].ch < 32 ? u' ' : Hp700Roman8Char(line->cells[c].ch));
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out += text + "\n";
    }
}

bool Hp700SelectionArea(SelectionArea* area)
{
    if (!Hp700Running())
        return false;
    *area = SelectionArea{};
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = kHpScreenRows - 1;
    area->leftColumn = 0;
    area->rightColumn = Hp700.lastColumn;
    area->visibleRows = kHpScreenRows;
    return true;
}

ScreenCell* Hp700SelectionRow(int row, int* columns, int* cellWidth)
{
    if (!Hp700Running() || row < 0 || row >= kHpScreenRows)
        return nullptr;
    *columns = Hp700.lastColumn + 1;
    *cellWidth = 0;
    return Hp700ScreenLine(row)->cells;
}

u16 Hp700CellChar(const ScreenCell& cell)
{
    // Copied text takes the line pieces as their box characters.
    if (Hp700CellGlyphSet(cell) == 1) {
        static constexpr char kLetters[] = "grtf/,5687.c";
        static constexpr u16 kBoxes[] = {0x2518, 0x250C, 0x2510, 0x2514, 0x253C, 0x2500,
                                         0x251C, 0x2524, 0x2534, 0x252C, 0x2502, 0x2588};
        const u8 folded = cell.ch >= 0x40 ? static_cast<u8>(cell.ch | 0x20) : cell.ch;
        for (int i = 0; kLetters[i]; ++i)
            if (folded == static_cast<u8>(kLetters[i]))
                return kBoxes[i];
    }
    return DumpCharacter(cell);
}
