#include "terminal/emulations/ta6530/protocol/taread.h"

#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"

namespace {

constexpr u8 kEsc = 27, kDc1 = 17, kRs = 30, kCr = 13;

// Reads give the host its own codes back: a national character as the 7-bit code it
// replaced, unless the line carries eight bits.
u8 HostCode(u8 ch)
{
    if (DataBitsSetting == 2 || ch < 0x80)
        return ch;
    for (int c = 0x20; c < 0x80; ++c)
        if (TaMapNational(static_cast<u8>(c)) == ch && c != ch)
            return static_cast<u8>(c);
    return ch;
}

// Blanks are held back until something follows them on the same run: trailing blanks
// are never sent.
struct Output {
    int blanks = 0;
    void Cell(const ScreenCell& cell)
    {
        if (cell.rendition & kTaAttributeCell) {
            Flush();
            TaSendByte(kEsc);
            TaSendByte('6');
            TaSendByte(static_cast<u8>((cell.rendition & kTaVideoBits) + 0x50));
            return;
        }
        if (cell.ch == ' ') {
            ++blanks;
            return;
        }
        Flush();
        TaSendByte(HostCode(cell.ch));
    }
    void Flush()
    {
        for (; blanks > 0; --blanks)
            TaSendByte(' ');
    }
};

void ReadBlock(const TaPage& page, const TaReadRegion& r)
{
    for (int row = r.startRow; row <= r.endRow && row < kTaRows && page.first + row <= page.last; ++row) {
        const TaLine& line = TaLineAt(page.first + row);
        Output out;
        const int c0 = row == r.startRow ? r.startColumn : 0;
        const int c1 = row == r.endRow ? r.endColumn : Ta.lastColumn;
        for (int c = c0; c <= c1 && c <= Ta.lastColumn; ++c)
            out.Cell(line.cells[c]);
        TaSendByte(kCr);
    }
}

void FieldHeader(const ScreenCell& start, int row, int column, bool extended)
{
    TaSendByte(kDc1);
    TaSendByte(static_cast<u8>(row + 32));
    TaSendByte(static_cast<u8>(column + 32));
    if (!extended)
        return;
    // The field's definition as ESC ` would write it again: video, data byte,
    // upper-case shift, then two colour items.
    const u8 data = TaDataByte(start);
    TaSendByte(kRs);
    TaSendByte(static_cast<u8>((start.rendition & kTaVideoBits) + 32));
    TaSendByte(static_cast<u8>((data & 63) + 64));
    TaSendByte(static_cast<u8>(0x40 | ((data & kTaUpshift) ? 1 : 0)));
    TaSendByte('0');
    TaSendByte('2');
    TaSendByte('B');
    TaSendByte(static_cast<u8>(kTaPaletteToHost[start.colour & 7] + 32));
    TaSendByte('E');
    TaSendByte(static_cast<u8>(kTaPaletteToHost[(start.colour >> 4) & 7] + 32));
}

void ReadProtected(const TaPage& page, const TaReadRegion& r)
{
    // One position early, so that a field starting just before the region is seen.
    int row = r.startRow, column = r.startColumn - 1;
    if (column < 0) {
        column = Ta.lastColumn;
        --row;
    }
    if (row < 0) {
        row = 0;
        column = 0;
    }
    bool allowed = false;
    Output out;
    for (; row < kTaRows && page.first + row <= page.last; ++row, column = 0) {
        const TaLine& line = TaLineAt(page.first + row);
        for (; column <= Ta.lastColumn; ++column) {
            const ScreenCell& cell = line.cells[column];
            if (cell.rendition & kTaFieldStart) {
                const bool past = row > r.endRow || (row == r.endRow && column > r.endColumn);
                if (past)
                    return;
                out.blanks = 0;
                allowed = ((TaDataByte(cell) ^ kTaModified) & r.mask) == 0;
                if (allowed) {
                    int firstRow = row, firstColumn = column + 1;
                    if (firstColumn > Ta.lastColumn) {
                        firstColumn = 0;
                        ++firstRow;
                    }
                    FieldHeader(cell, firstRow, firstColumn, r.extended);
                }
                continue;
            }
            if (allowed)
                out.Cell(cell);
        }
    }
}

}  // namespace

void TaBuildReadData()
{
    TaReadRegion& r = TaProtocol.read;
    if (r.startRow < 0)
        return;
    const TaPage& page = TaWritePage();
    if (Ta.mode == kTaProtected)
        ReadProtected(page, r);
    else
        ReadBlock(page, r);
    r.startRow = -1;
}
