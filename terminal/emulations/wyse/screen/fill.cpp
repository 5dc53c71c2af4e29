// Filling and clearing from the cursor, inserting and deleting cells.
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// An attribute code written in write-protect mode (a control character) is an
// embedded attribute: its bits in the order of the attribute byte.
u8 AttributeFromCode(u8 code)
{
    u8 a = 0;
    if (code & 0x02)
        a |= kWyDim;
    if (code & 0x04)
        a |= kWyUnderline;
    if (code & 0x08)
        a |= kWyReverse;
    if (code & 0x10)
        a |= kWyBlink;
    if (code & 0x01)
        a |= kWyBlank;
    return a;
}

int RowLast(const ScreenLineRecord* line)
{
    return (WyseLineAttribute(line) & kWyDoubleWidth) ? (WyStore.columnsLast + 1) / 2 - 1 : WyStore.columnsLast;
}

}  // namespace

void WyseFillArea(u8 character, u8 attribute, int endLine, bool stop, int endColumn, bool setAttributes)
{
    WyseStoreState& s = WyStore;
    u8 ch = static_cast<u8>(character & 0x7F);
    u8 attr = attribute;
    if (WyMode.writeProtect) {
        if (character < 0x20 && !s.attrMode60) {
            attr = static_cast<u8>(kWyAttrCell | AttributeFromCode(character));
            ch = ' ';
        } else {
            attr = static_cast<u8>(attr | kWyProtected);
        }
    }
    const u8 flags = s.attrMode60 ? static_cast<u8>(WyseCurrentGlyphFlags() | (character >= 0x80 ? 1 : 0)) : 0;
    u8 rendition = attr;
    const u8 colour = s.attrMode60 ? WyseCurrentAttributeColour(rendition, false) : 0;
    bool ended = false;
    for (int line = s.cursorLine; line <= endLine && !ended; ++line) {
        ScreenLineRecord* record = WyLine(line);
        if (!record)
            break;
        if (WyseLineLocked(record)) {
            WyseRepaintPageLineRun(line, 0);
            continue;
        }
        const int first = line == s.cursorLine ? s.cursorColumn : 0;
        int last = line == endLine ? endColumn : s.lastColumnAllowed;
        if (last >= kWyseCells)
            last = kWyseCells - 1;
        for (int c = first; c <= last; ++c) {
            ScreenCell& cell = record->cells[c];
            if (WyseIsProtectedCell(cell)) {
                if (stop) {
                    ended = true;
                    break;
                }
                continue;
            }
            const bool wasAttribute = (cell.rendition & kWyAttrCell) != 0;
            cell.ch = ch;
            if (setAttributes) {
                cell.colour = colour;
                cell.rendition = static_cast<u8>((cell.rendition & kWyKeep) | rendition);
                cell.flags = flags;
            }
            if (wasAttribute || (cell.rendition & kWyAttrCell))
                WyseRepaintPageLineRun(line, c);
        }
        WyseRepaintPageSpan(line, first, last);
    }
    if (s.splitMode != 0 && s.window[1].rows > 0)
        WyseRepaintAttributeRun(s.window[1].firstRow, 0);
    if (s.labelRow >= 0)
        WyseRepaintAttributeRun(s.labelRow, 0);
    WyseRepaintDirtyRows();
}

void WyseClearToEndOfLine(u8 character, u8 attribute)
{
    WyseFillArea(character, attribute, WyStore.cursorLine, true, WyStore.lineLast, true);
}

void WyseClearToEndOfLineAll(u8 character, u8 attribute)
{
    WyseFillArea(character, attribute, WyStore.cursorLine, false, WyStore.lastColumnAllowed, true);
}

void WyseClearToEndOfRegion(u8 character, u8 attribute)
{
    WyseFillArea(character, attribute, WyStore.regionLast, false, WyStore.lastColumnAllowed, true);
}

void WyseClearRegion(u8 character, u8 attribute)
{
    WyseCursorHome();
    WyseClearToEndOfRegion(character, attribute);
}

void WyseInsertCell(int lineIndex, int column, u8 character)
{
    WyseStoreState& s = WyStore;
    ScreenLineRecord* line = WyLine(lineIndex);
    if (!line || column < 0 || column >= kWyseCells || WyseIsProtectedCell(line->cells[column]))
        return;
    int end = RowLast(line);
    for (int c = column + 1; c <= end; ++c)
        if (WyseIsProtectedCell(line->cells[c])) {
            end = c - 1;
            break;
        }
    if (!s.attrMode60 && (line->cells[end].rendition & kWyAttrCell))
        line->cells[end] = ScreenCell{' ', 0, static_cast<u8>(line->cells[end].rendition & kWyKeep), 0};
    for (int c = end; c > column; --c)
        line->cells[c] = line->cells[c - 1];
    ScreenCell& cell = line->cells[column];
    const bool wasAttribute = (cell.rendition & kWyAttrCell) != 0;
    cell.ch = static_cast<u8>(character & 0x7F);
    cell.flags = 0;
    if (s.attrMode60) {
        cell.rendition = static_cast<u8>(cell.rendition & kWyKeep);
        u8 rendition = cell.rendition;
        cell.colour = WyseCurrentAttributeColour(rendition, false);
        cell.rendition = rendition;
    } else {
        cell.colour = 0;
        cell.rendition = static_cast<u8>(cell.rendition & ~kWyProtected);
        if (wasAttribute)
            cell.rendition = static_cast<u8>(cell.rendition & kWyKeep);
    }
    if (wasAttribute)
        WyseRepaintPageLineRun(lineIndex, column);
    WyseRepaintPageSpan(lineIndex, column, end);
}

void WyseDeleteCell(int lineIndex, int column)
{
    WyseStoreState& s = WyStore;
    ScreenLineRecord* line = WyLine(lineIndex);
    if (!line || column < 0 || column >= kWyseCells || WyseIsProtectedCell(line->cells[column]))
        return;
    int end = RowLast(line);
    for (int c = column + 1; c <= end; ++c)
        if (WyseIsProtectedCell(line->cells[c])) {
            end = c - 1;
            break;
        }
    const bool attributes = !s.attrMode60;
    bool movedAttribute = false;
    for (int c = column; c < end; ++c) {
        movedAttribute = movedAttribute || (line->cells[c].rendition & kWyAttrCell);
        line->cells[c] = line->cells[c + 1];
    }
    u8 rendition = 0;
    const u8 colour = s.attrMode60 ? WyseCurrentAttributeColour(rendition, false) : 0;
    line->cells[end] = ScreenCell{s.blankChar, colour, rendition, 0};
    if (attributes && movedAttribute)
        WyseRepaintPageLineRun(lineIndex, column);
    WyseRepaintPageSpan(lineIndex, column, end);
}

void WyseApplyAttributeRun(u8 attribute)
{
    WyseStoreState& s = WyStore;
    WyMode.write.writeAttr = static_cast<u8>(attribute & kWyVideoBits);
    u8 rendition = WyMode.write.writeAttr;
    const u8 colour = WyseCurrentAttributeColour(rendition, false);
    if (WySet.attrType == 2)
        return;
    const int lastLine = WySet.attrType == 0 ? s.regionLast : s.cursorLine;
    const ScreenLineRecord* start = WyLine(s.cursorLine);
    if (!start)
        return;
    const ScreenCell first = start->cells[s.cursorColumn];
    for (int line = s.cursorLine; line <= lastLine; ++line) {
        ScreenLineRecord* record = WyLine(line);
        if (!record)
            break;
        const int c0 = line == s.cursorLine ? s.cursorColumn : 0;
        const int c1 = WySet.attrType == 0 ? s.lastColumnAllowed : RowLast(record);
        int c = c0;
        for (; c <= c1 && c < kWyseCells; ++c) {
            ScreenCell& cell = record->cells[c];
            if (WyseIsProtectedCell(cell))
                continue;
            const bool sameAttr = (cell.rendition & kWyVideoBits) == (first.rendition & kWyVideoBits);
            const bool sameColour = cell.colour == first.colour;
            if (!sameAttr && !sameColour)
                break;
            cell.rendition = static_cast<u8>((cell.rendition & 0xE0) | (rendition & kWyVideoBits));
            cell.colour = colour;
        }
        WyseRepaintPageSpan(line, c0, c - 1 < c0 ? c0 : c - 1);
        if (c <= c1)
            break;
    }
}

void WyseFillColumn(u8 character)
{
    WyseStoreState& s = WyStore;
    if (s.anyLocked)
        return;
    const int column = s.cursorColumn;
    for (int line = s.regionFirst; line <= s.regionLast; ++line) {
        ScreenLineRecord* record = WyLine(line);
        if (!record)
            continue;
        ScreenCell& cell = record->cells[column];
        if (WyseIsProtectedCell(cell))
            continue;
        const bool hadAttributes = (cell.rendition & (kWyAttrCell | kWyVideoBits)) != 0;
        cell.ch = static_cast<u8>(character & 0x7F);
        cell.flags = 0;
        if (s.attrMode60) {
            u8 rendition = WyMode.write.writeAttr;
            cell.colour = WyseCurrentAttributeColour(rendition, false);
            cell.rendition = static_cast<u8>((cell.rendition & kWyKeep) | rendition);
        } else if (hadAttributes) {
            cell.rendition = static_cast<u8>(cell.rendition & kWyKeep);
            cell.colour = 0;
            WyseRepaintPageLineRun(line, column);
        }
        WyseRepaintPageSpan(line, column, column);
    }
}
