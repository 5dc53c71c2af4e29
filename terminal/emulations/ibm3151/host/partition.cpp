#include "terminal/emulations/ibm3151/host/partition.h"

#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/services.h"
#include "terminal/emulations/ibm3151/host/setcontrol.h"

namespace {

// One partition's bytes after its letter: SP, rows + 32, the width, the closing byte.
bool ReadPartition(int index, bool last, int* rows, int* columns)
{
    static constexpr u8 kLetters[3] = {'!', '"', '#'};
    int b[5];
    for (int& v : b) {
        v = I3151NextByte();
        if (v < 0)
            return false;
    }
    if (b[0] != kLetters[index] || b[1] != ' ')
        return false;
    *rows = b[2] - 32;
    if (b[3] == '"')
        *columns = 80;
    else if (b[3] == '$')
        *columns = 132;
    else
        return false;
    const int closing = last ? (*columns == 80 ? 'P' : 'D') : (*columns == 80 ? '0' : '$');
    return b[4] == closing;
}

}  // namespace

u8 I3151FormatCode(int rows, int columns)
{
    if (columns == 80)
        return rows == 24 ? 0 : 1;
    return rows == 24 ? 2 : 3;
}

void I3151SetScreenFormat(int rows, int columns)
{
    I3151.rows = rows == 25 ? 25 : 24;
    I3151.lastColumn = columns == 132 ? 131 : 79;
    I3151.format = I3151FormatCode(I3151.rows, I3151.lastColumn + 1);
    I3151ResetPages();
    I3151ScreenSizeChanged();
}

bool I3151ApplyPartitions(int count, const int* rows, int columns)
{
    if (count < 1 || count > kI3151Pages || (columns != 80 && columns != 132))
        return false;
    int total = 0;
    for (int i = 0; i < count; ++i) {
        if (rows[i] < 1)
            return false;
        total += rows[i];
    }
    if (total != 24 && total != 25)
        return false;
    I3151SetScreenFormat(total, columns);
    I3151ClearPage(I3151GetPage(0));
    I3151.pageCount = count;
    int first = 0;
    for (int i = 0; i < count; ++i) {
        I3151PageRecord* page = I3151GetPage(i);
        page->firstRow = first;
        page->lastRow = first + rows[i] - 1;
        page->lastRowIndex = rows[i] - 1;
        first += rows[i];
    }
    I3151UpdateIndicators(true);
    I3151RepaintAll();
    return true;
}

void I3151PartitionScreen()
{
    const int countByte = I3151NextByte();
    if (countByte < 0)
        return;
    const int count = countByte - 32;
    if (count < 1 || count > kI3151Pages)
        return;
    int rows[kI3151Pages] = {};
    int columns = 0;
    for (int i = 0; i < count; ++i) {
        int width = 0;
        if (!ReadPartition(i, i == count - 1, &rows[i], &width))
            return;
        if (i > 0 && width != columns)
            return;
        columns = width;
    }
    I3151ApplyPartitions(count, rows, columns);
}

void I3151SetStatusRowMode(int mode)
{
    if (mode != 1 && mode != 2 && mode != 3) {
        mode = 0;
        I3151BlankRow(I3151StatusRecord(kI3151BlankStatusRow), I3151BlankColour());
    }
    I3151.statusRowMode = static_cast<u8>(mode);
    I3151RepaintStatusRow();
}

void I3151NextStatusRowMode()
{
    I3151SetStatusRowMode(I3151.statusRowMode >= 2 ? 0 : I3151.statusRowMode + 1);
}

void I3151WriteStatusText()
{
    I3151Row* row = I3151StatusRecord(kI3151HostStatusRow);
    if (!row)
        return;
    I3151BlankRow(row, I3151BlankColour());
    I3151SetStatusRowMode(2);
    // The status row's own character state: default colours, no attributes, G0 the
    // national default and G1 the line-drawing set.
    I3151PageRecord own;
    own.current = ScreenCell{0, I3151WrittenColour(), 0, 0};
    own.shift = 0;
    own.g0 = kI51SetNational;
    own.g1 = kI51SetLines;
    I3151.hostStatusText = true;
    I3151.statusColumn = 0;
    for (;;) {
        int b = I3151NextByte();
        if (b < 0)
            break;
        if (b == kI51Esc) {
            b = I3151NextByte();
            if (b < 0 || b == '=')
                break;
            if (b == kI51Esc) {
                I3151GiveBackEscape();
                break;
            }
            if (b == '4') {
                u8 values[kI3151ParameterBytes];
                const int n = I3151ReadParameterList(values);
                if (n < 0)
                    break;
                I3151SetCharacterAttribute(&own, values, n);
            } else if (b == '<' || b == '>') {
                const int set = I3151NextByte();
                if (set < 0)
                    break;
                u8& target = b == '<' ? own.g0 : own.g1;
                if (set == '@')
                    target = kI51SetNational;
                else if (set == 'A')
                    target = kI51SetLines;
                else if (set == 'B')
                    target = I3151NationalSet();
            } else if (b >= 32 && b <= 44) {
                if (I3151NextByte() < 0)
                    break;
            }
            continue;
        }
        if (b < 32)
            continue;
        const I3151Glyph glyph = I3151TranslateByte(&own, static_cast<u8>(b));
        row->cells[I3151.statusColumn] = ScreenCell{glyph.code, own.current.colour, own.current.rendition,
                                                    glyph.glyphSet};
        if (own.current.rendition & kI51Blink)
            row->blinks = 1;
        if (I3151.statusColumn < I3151.lastColumn)
            ++I3151.statusColumn;
    }
    I3151.hostStatusText = false;
    I3151RepaintStatusRow();
}
