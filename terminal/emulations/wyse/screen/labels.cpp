#include "terminal/emulations/wyse/screen/labels.h"

#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

constexpr int kCr = 0x0D, kEsc = 0x1B, kHt = 0x09;

void ClearCell(ScreenCell& cell, u8 character)
{
    cell.ch = character;
    cell.flags = 0;
    if (!WyStore.attrMode60) {
        cell.colour = 0;
        cell.rendition = static_cast<u8>(cell.rendition & kWyKeep);
    }
}

struct Field {
    int first, width;
};

Field FieldOf(int n)
{
    if (WyStore.columnsLast > 79)
        return Field{n / 4 + 8 * n + 1, 7};
    const int b = n < 8 ? 0 : 8;
    if (WyStore.attrMode60)
        return Field{(n - b) / 4 + 10 * (n - b), 9};
    return Field{10 * (n - b) + 1, 8};
}

// The character model's label lines take the label attribute cell by cell.
void ColourLabelLine(int line)
{
    ScreenLineRecord* record = WyLine(line);
    if (!record)
        return;
    u8 rendition = WyMode.labelAttr & kWyVideoBits;
    const u8 colour = WyseAttributeColour370(rendition, false);
    for (int c = 0; c < kWyseCells; ++c) {
        record->cells[c].colour = colour;
        record->cells[c].rendition = static_cast<u8>((record->cells[c].rendition & kWyKeep) | rendition);
    }
    WyseRepaintSpecialLineRun(line, 0);
}

void WholeLine(int line)
{
    if (WyStore.attrMode60) {
        if (line != kWyseLabelRecord || !WyMode.labelText)
            ColourLabelLine(line);
        WyseReadLabelText(line, 0, WyStore.columnsLast + 1, true);
    } else {
        WyseReadLabelText(line, 1, WyStore.columnsLast - 1, true);
    }
}

}  // namespace

void WyseReadLabelText(int line, int firstColumn, int width, bool tabs)
{
    ScreenLineRecord* record = WyLine(line);
    if (!record || firstColumn < 0)
        return;
    int end = firstColumn + width;
    if (end > kWyseCells)
        end = kWyseCells;
    int column = firstColumn;
    while (column < end) {
        const int b = WyseReadHostByte();
        if (b < 0)
            return;
        const int c = b & 0x7F;
        if (c == kCr) {
            for (int i = column; i < end; ++i)
                ClearCell(record->cells[i], 0);
            column = end;
            break;
        }
        if (c == kEsc) {
            WyseReadHostByte();  // the byte after ESC is dropped
            continue;
        }
        if (tabs && c == kHt) {
            const int position = WyseReadHostByte();
            if (position < 0)
                return;
            if (position < 0x20)
                column = firstColumn + position;
            else if (position <= 0x6C)
                column = firstColumn + position - 0x20;
            else
                column = end;
            continue;
        }
        ClearCell(record->cells[column], static_cast<u8>(c));
        ++column;
    }
    WyseRepaintSpecialLineRun(line, firstColumn);
}

void WyseSetFunctionLabel(int n)
{
    const Field f = FieldOf(n);
    WyseReadLabelText(kWyseLabelRecord, f.first, f.width, true);
}

void WyseSetShiftedFunctionLabel(int n)
{
    const Field f = FieldOf(n);
    WyseReadLabelText(kWyseShiftedLabelRecord, f.first, f.width, true);
    WyMode.shiftedLoaded = 1;
    WyseShowLabelLine();
}

void WyseSetLabelLine()
{
    WholeLine(kWyseLabelRecord);
}

void WyseSetShiftedLabelLine()
{
    WholeLine(kWyseShiftedLabelRecord);
    WyMode.shiftedLoaded = 1;
    WyseShowLabelLine();
}

void WyseSetLabelText()
{
    WyMode.labelText = 1;
    if (WyStore.attrMode60) {
        ColourLabelLine(kWyseLabelRecord);
        WyseReadLabelText(kWyseLabelRecord, 0, WyStore.columnsLast + 1, false);
    } else {
        WyseReadLabelText(kWyseLabelRecord, 1, WyStore.columnsLast, false);
    }
}

void WyseShowLabelLine()
{
    if (!WyseStoreActive() || WyStore.labelRow < 0)
        return;
    WysePlaceLabelLine();
}

void WyseSetShiftLabelLine(int shiftState)
{
    WyMode.shiftDown = static_cast<u8>(shiftState & 1);
    WyseShowLabelLine();
}

void WyseHideShiftedLabels()
{
    WyMode.shiftedLoaded = 0;
    WyseShowLabelLine();
}

void WyseSetLabelAttribute(int attribute)
{
    static const int k80[] = {0, 9, 10, 19, 20, 29, 30, 39, 40, 49, 50, 59, 60, 69, 70, 79};
    static const int k132[] = {0, 8, 16, 24, 32, 33, 41, 49, 57, 65, 66, 74, 82, 90, 98, 99, 107, 115, 123, 131};
    static const int k80Char[] = {9, 19, 29, 39, 40, 50, 60, 70};
    const bool wide = WyStore.columnsLast > 79;
    WyMode.labelAttr = static_cast<u8>(attribute);
    WyMode.labelText = 0;
    for (int line : {kWyseLabelRecord, kWyseShiftedLabelRecord}) {
        ScreenLineRecord* record = WyLine(line);
        if (!record)
            continue;
        if (WyStore.attrMode60) {
            ColourLabelLine(line);
            const int* cells = wide ? k132 : k80Char;
            const int n = wide ? 20 : 8;
            for (int i = 0; i < n; ++i)
                record->cells[cells[i]].rendition |= kWyBlank;
        } else {
            const int* cells = wide ? k132 : k80;
            const int n = wide ? 20 : 16;
            for (int i = 0; i < n; ++i)
                record->cells[cells[i]] = ScreenCell{' ', 0, static_cast<u8>(attribute), 0};
        }
    }
    if (WyStore.labelRow >= 0)
        WyseRepaintRow(WyStore.labelRow);
}
