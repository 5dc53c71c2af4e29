#include "terminal/comms/printing/printformat.h"

#include "terminal/comms/printing/printcharset.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/selectiontext.h"

namespace {

constexpr u16 kSo = 14, kSi = 15, kCr = 13, kLf = 10, kBlank = 32;
constexpr u8 kLineDrawingSet = 3;
// The final of each national set's designation, by national set index.
constexpr char kNationalFinals[] = "BARQECK4Y==HERZK";

class Printer {
public:
    Printer(const PrintFormatContext& context, PrintFormatOutput& out) : c_(context), out_(out) {}

    void Put(u16 ch) { out_.PrintChar(ch); }
    // A character of the current set: SI first when the line-drawing set was shifted in.
    void Plain(u16 ch)
    {
        if (shifted_) {
            Put(kSi);
            shifted_ = false;
        }
        Put(ch);
    }
    // A line-drawing character: SO first, then its code in the G1 set.
    void Drawing(u8 code)
    {
        if (!shifted_) {
            Put(kSo);
            shifted_ = true;
        }
        Put(code);
    }
    // The national 7-bit rendering of one character of formats 0 and 1.
    void National(u16 ch)
    {
        if (ch < kBlank || (ch >= 128 && ch < 160)) {
            Plain(kBlank);
        } else if (ch < 128) {
            const u8 shown = ShownByNationalSet(static_cast<u8>(ch));
            Plain(shown >= 128 ? kBlank : ch);
        } else {
            const u8 mapped = ch < 256 ? MapCharByPairTable(static_cast<u8>(ch), c_.national) : kBlank;
            Plain(mapped > 127 ? kBlank : mapped);
        }
    }

private:
    // What a national printer shows at a 7-bit code.
    u8 ShownByNationalSet(u8 code) const
    {
        if (c_.national)
            for (const u8* p = c_.national; p[0]; p += 2)
                if (p[0] == code)
                    return p[1];
        return code;
    }

    const PrintFormatContext& c_;
    PrintFormatOutput& out_;
    bool shifted_ = false;
};

// Formats 0-3, one cell.
void FormatCell(Printer& p, int format, const ScreenCell& cell, const PrintFormatContext& context)
{
    const bool drawing = IsLineDrawingCell(cell);
    const u16 ch = PrintCellChar(cell, context);
    switch (format) {
    case 0: p.National(drawing ? 0 : ch); break;
    case 1:
        if (drawing)
            p.Drawing(cell.ch);
        else
            p.National(ch);
        break;
    case 2:
        if (drawing)
            p.Drawing(cell.ch);
        else
            p.Plain(ch < kBlank || (ch >= 128 && ch < 160) ? kBlank : ch);
        break;
    default: p.Plain(drawing || ch < kBlank || ch >= 128 ? kBlank : ch); break;
    }
}

// Format 4, one cell.
void FormatHostCell(PrintFormatOutput& out, const ScreenCell& cell, const PrintFormatContext& context)
{
    const bool graphic = IsGraphicCell(cell);
    if (!context.byteOutput) {
        const u16 u = graphic ? CellToChar(cell, false) : CellRecordToUnicode(cell);
        // A cell never written over still takes its column.
        out.BufferChar(u ? u : kBlank);
        return;
    }
    u16 ch = graphic ? CellToChar(cell, context.plainLineDrawing) : PrintCellChar(cell, context);
    if (ch < kBlank)
        ch = (ch >= 15 && ch <= 19) ? '-' : ((ch == 20 || ch == 21 || ch == 24) ? '|' : kBlank);
    out.PrintChar(ch);
}

}  // namespace

bool IsLineDrawingCell(const ScreenCell& cell)
{
    return (cell.flags & kGlyphSetMask) == kLineDrawingSet;
}

u16 PrintCellChar(const ScreenCell& cell, const PrintFormatContext& context)
{
    // The DEC graphics keep their own codes in the store: a printer gets the character.
    if (IsLineDrawingCell(cell) && !context.pcCharacters)
        return CellRecordToUnicode(cell);
    if (context.pcCharacters) {
        if (IsLineDrawingCell(cell)) {
            const u16 u = CellRecordToUnicode(cell);
            return u == 0xFFFF ? kBlank : u;
        }
        // The cell keeps the host's byte: the printer gets the code page's character
        // (box pieces and blocks included), which the output set then turns into its
        // own byte.
        if (cell.ch >= 128)
            return TranslateCellChar(kCharModePcCodePage, context.pcCodePage, cell.ch, 0, true);
    }
    return cell.ch;
}

int FindLastNonBlankCell(const ScreenLineRecord* line, int low, int high)
{
    if (!line)
        return low - 1;
    if (high >= kLineCells)
        high = kLineCells - 1;
    for (int column = high; column >= low && column >= 0; --column) {
        const u8 ch = line->cells[column].ch;
        if (ch != 0 && ch != kBlank)
            return column;
    }
    return low - 1;
}

void PrintLinePrefix(const ScreenLineRecord* line, int nationalIndex, PrintFormatOutput& out)
{
    const char final = nationalIndex >= 0 && nationalIndex < 16 ? kNationalFinals[nationalIndex] : 'B';
    const char prefix[] = {27, '*', '<', 27, ')', '0', 27, '(', final, 27, '#'};
    for (char b : prefix)
        out.PrintChar(static_cast<u8>(b));
    const u8 size = line ? line->cells[0].flags : 0;
    char sizeFinal = '5';
    if (size & kLineTopHalf)
        sizeFinal = '3';
    else if (size & kLineBottomHalf)
        sizeFinal = '4';
    else if (size & kLineDoubleWidth)
        sizeFinal = '6';
    out.PrintChar(static_cast<u8>(sizeFinal));
}

void FormatLineForPrint(const ScreenLineRecord* line, int format, const PrintFormatContext& context,
                        PrintFormatOutput& out)
{
    if (line && format >= 0 && format < kPrintFormatCount) {
        const int last = FindLastNonBlankCell(line, context.firstColumn, context.lastColumn);
        if (format <= 2)
            PrintLinePrefix(line, format == 2 ? 0 : context.nationalIndex, out);
        Printer p(context, out);
        for (int column = context.firstColumn; column <= last; ++column) {
            if (out.Cancelled())
                return;
            if (format == 4)
                FormatHostCell(out, line->cells[column], context);
            else
                FormatCell(p, format, line->cells[column], context);
        }
        if (format <= 2)
            p.Plain(kCr);
        else
            out.PrintChar(kCr);
    } else {
        out.PrintChar(kCr);
    }
    out.PrintChar(kLf);
}
