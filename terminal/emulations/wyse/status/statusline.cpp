#include "terminal/emulations/wyse/status/statusline.h"

#include <cstdio>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/language.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr u32 kStrNum = 7607, kStrLock = 7608, kStrCaps = 7609, kStrLocal = 7610, kStrHold = 7611;
constexpr u32 kStrHalfBlock = 7612, kStrBlock = 7613, kStrHalf = 7614, kStrFull = 7615, kStrAux = 7616;
constexpr u32 kStrProt = 7617, kStrWprt = 7618, kStrIns = 7619;
constexpr int kUnset = 0xFFFF;

int g_lastRow = kUnset, g_lastColumn = kUnset, g_lastPage = kUnset;

bool FieldsShown()
{
    return WyseStoreActive() && WySet.stat != 0;
}

ScreenLineRecord* StatusRecord()
{
    return WyLine(kWyseStatusRecord);
}

int CellOf(int column)
{
    return WyStore.attrMode60 ? column - 1 : column;
}

void WriteString(u32 id, int first, int last)
{
    wchar16 text[32] = {};
    LoadLanguageString(nullptr, id, text, 32);
    WyseStatusWrite(text, first, last);
}

void WriteAscii(const char* text, int first, int last)
{
    wchar16 units[32] = {};
    for (int i = 0; i < 31 && text[i]; ++i)
        units[i] = static_cast<u8>(text[i]);
    WyseStatusWrite(units, first, last);
}

// The character model's field colours: the left and right message fields.
void ColourField(int firstCell, int lastCell, u8 attribute)
{
    ScreenLineRecord* line = StatusRecord();
    if (!line)
        return;
    u8 rendition = attribute;
    const u8 colour = WyseAttributeColour370(rendition, true);
    for (int c = firstCell; c <= lastCell && c < kWyseCells; ++c) {
        line->cells[c].colour = colour;
        line->cells[c].rendition = static_cast<u8>((line->cells[c].rendition & kWyKeep) |
                                                   (rendition & kWyVideoBits));
    }
}

void PutAttributeCell(int cell, u8 attribute)
{
    ScreenLineRecord* line = StatusRecord();
    if (line && cell < kWyseCells)
        line->cells[cell] = ScreenCell{' ', 0, attribute, 0};
}

}  // namespace

void WyseStatusWrite(const wchar16* text, int first, int last)
{
    ScreenLineRecord* line = StatusRecord();
    if (!line || !WyseStoreActive())
        return;
    bool ended = false;
    for (int column = first, i = 0; column <= last; ++column, ++i) {
        const int cell = CellOf(column);
        if (cell < 0 || cell >= kWyseCells)
            continue;
        ended = ended || !text || text[i] == 0;
        const wchar16 u = ended ? ' ' : text[i];
        const int host = WyseUnicodeToHostChar(u);
        line->cells[cell].ch = static_cast<u8>((host < 0 ? ' ' : host) & 0x7F);
        line->cells[cell].flags = static_cast<u8>(host >= 0x80 ? 1 : 0);
    }
    const int row = WyseSpecialLineRow(kWyseStatusRecord);
    if (row >= 0)
        WyseMarkDirtySpan(row, CellOf(first), CellOf(last));
}

void WyseShowKeyboardField()
{
    if (!FieldsShown())
        return;
    if (WyMode.keyboardLocked)
        WriteString(kStrLock, 1, 4);
    else if (NumLockState)
        WriteString(kStrNum, 1, 4);
    else if (CapsLockState)
        WriteString(kStrCaps, 1, 4);
    else
        WriteAscii("", 1, 4);
}

void WyseShowPageField()
{
    if (!FieldsShown() || g_lastPage == WyStore.shownPage)
        return;
    g_lastPage = WyStore.shownPage;
    char text[2] = {static_cast<char>(WyStore.shownPage ? '0' + WyStore.shownPage : ' '), 0};
    WriteAscii(text, 6, 6);
}

void WyseShowTransmitField()
{
    if (!FieldsShown())
        return;
    WriteAscii(WyMode.sendIndicator ? "<" : WyMode.monitor ? "*" : "", 8, 8);
}

void WyseShowCommModeField()
{
    if (!FieldsShown())
        return;
    u32 id = LocalEcho ? kStrHalf : kStrFull;
    if (LocalMode)
        id = kStrLocal;
    else if (OutputHeld)
        id = kStrHold;
    else if (WySet.inEdit)
        id = LocalEcho ? kStrHalfBlock : kStrBlock;
    WriteString(id, 9, 12);
}

void WyseShowPrintField()
{
    if (!FieldsShown())
        return;
    const int mode = CurrentPrintMode();
    wchar16 text[8] = {};
    wchar16 aux[8] = {};
    LoadLanguageString(nullptr, kStrAux, aux, 8);
    char marker = 0;
    if (mode == 4)
        marker = '%';
    else if (WyMode.auxPrint)
        marker = '=';
    else if (mode == 6)
        marker = '<';
    else if (mode == 2)
        marker = '>';
    if (marker) {
        text[0] = static_cast<wchar16>(marker);
        for (int i = 0; i < 3 && aux[i]; ++i)
            text[1 + i] = aux[i];
    }
    WyseStatusWrite(text, 13, 16);
}

void WyseShowCursorField()
{
    if (!FieldsShown() || WySet.stat != 1)
        return;
    const WyseStoreState& s = WyStore;
    const int row = s.cursorLine - s.regionFirst + 1, column = s.cursorColumn + 1;
    if (row == g_lastRow && column == g_lastColumn)
        return;
    g_lastRow = row;
    g_lastColumn = column;
    char text[16];
    std::snprintf(text, sizeof text, "%3d-%3d", row % 1000, column % 1000);
    WriteAscii(text, 18, 24);
}

void WyseShowProtectField()
{
    if (!FieldsShown() || WySet.stat != 2)
        return;
    if (WyMode.protectMode)
        WriteString(kStrProt, 18, 21);
    else
        WriteAscii("", 18, 21);
}

void WyseShowWriteProtectField()
{
    if (!FieldsShown() || WySet.stat != 2)
        return;
    if (WyMode.writeProtect && WyMode.protectMode)
        WriteString(kStrWprt, 23, 26);
    else
        WriteAscii("", 23, 26);
}

void WyseShowInsertField()
{
    if (!FieldsShown() || WySet.stat != 2)
        return;
    if (WyMode.insert)
        WriteString(kStrIns, 27, 30);
    else
        WriteAscii("", 27, 30);
}

void WyseShowAllFields()
{
    g_lastRow = g_lastColumn = g_lastPage = kUnset;
    WyseShowKeyboardField();
    WyseShowPageField();
    WyseShowTransmitField();
    WyseShowCommModeField();
    WyseShowPrintField();
    WyseShowCursorField();
    WyseShowProtectField();
    WyseShowWriteProtectField();
    WyseShowInsertField();
}

void WyseLayoutStatusLine(bool clear)
{
    WyseStoreState& s = WyStore;
    if (!WyseStoreActive())
        return;
    WyseSuspendPainting();
    WysePlaceStatusLine();
    ScreenLineRecord* status = StatusRecord();
    ScreenLineRecord* blank = WyLine(kWyseBlankRecord);
    if (s.attrMode60) {
        if (clear) {
            u8 rendition = WyMode.dataAttr & kWyVideoBits;
            const u8 colour = WyseAttributeColour370(rendition, true);
            WyseBlankLine(blank, ' ', rendition, colour);
            WyseBlankLine(status, 0, rendition, colour);
            ColourField(32, kWyseCells - 1, WyMode.rightAttr);
        } else if (status) {
            for (int c = 0; c < 32; ++c)
                status->cells[c].ch = 0;
        }
        ColourField(0, 31, WyMode.leftAttr);
    } else {
        if (clear) {
            WyseBlankLine(blank, ' ', 0, 0);
            WyseBlankLine(status, 0, 0, 0);
        } else if (status) {
            for (int c = 1; c < 32; ++c)
                status->cells[c] = ScreenCell{0, 0, static_cast<u8>(status->cells[c].rendition & kWyKeep), 0};
        }
        PutAttributeCell(0, static_cast<u8>(WyMode.leftAttr | kWyAttrCell));
        PutAttributeCell(32, WyMode.rightAttr ? static_cast<u8>(WyMode.rightAttr | kWyAttrCell) : 0);
        if (s.columnsLast == 79)
            PutAttributeCell(79, static_cast<u8>(WyMode.dataAttr | kWyAttrCell));
        else if (status)
            status->cells[79] = ScreenCell{0, 0, 0, 0};
        PutAttributeCell(131, static_cast<u8>(WyMode.dataAttr | kWyAttrCell));
    }
    WyseShowAllFields();
    WyseResumePainting();
    WyseRepaintRow(0);
}

void WyseApplyMessageAttributes()
{
    if (!WyseStoreActive())
        return;
    ScreenLineRecord* status = StatusRecord();
    if (WyStore.attrMode60) {
        ColourField(0, 31, WyMode.leftAttr);
        ColourField(32, kWyseCells - 1, WyMode.rightAttr);
    } else if (status) {
        PutAttributeCell(0, static_cast<u8>(WyMode.leftAttr | kWyAttrCell));
        PutAttributeCell(32, WyMode.rightAttr ? static_cast<u8>(WyMode.rightAttr | kWyAttrCell) : 0);
        if (WyStore.columnsLast == 79)
            PutAttributeCell(79, static_cast<u8>(WyMode.dataAttr | kWyAttrCell));
        PutAttributeCell(131, static_cast<u8>(WyMode.dataAttr | kWyAttrCell));
    }
    if (WySet.stat)
        WyseRepaintRow(0);
}

void WyseReadStatusMessage()
{
    const bool wide = WyStore.columnsLast > 79;
    const int first = WyStore.attrMode60 ? 32 : 33;
    const int last = WyStore.attrMode60 ? (wide ? 100 : 48) : (wide ? 98 : 46);
    wchar16 text[kWyseCells + 1] = {};
    int n = 0;
    for (;;) {
        const int b = WyseReadHostByte();
        if (b < 0 || b == 0x0D)
            break;
        if (n < last - first + 1)
            text[n++] = static_cast<wchar16>(b & 0x7F);
    }
    ScreenLineRecord* line = StatusRecord();
    if (!line)
        return;
    for (int c = first, i = 0; c <= last; ++c, ++i)
        line->cells[c].ch = static_cast<u8>(i < n ? text[i] : ' ');
    const int row = WyseSpecialLineRow(kWyseStatusRecord);
    if (row >= 0)
        WyseMarkDirtySpan(row, first, last);
}

int WyseStatusLineText(wchar16* buffer, int capacity)
{
    const ScreenLineRecord* line = WySet.stat ? StatusRecord() : nullptr;
    if (!buffer || capacity < 1)
        return 0;
    int n = 0;
    if (line) {
        for (int c = 0; c <= WyStore.columnsLast && n + 1 < capacity; ++c) {
            const ScreenCell& cell = line->cells[c];
            const bool attribute = !WyStore.attrMode60 && (cell.rendition & kWyAttrCell);
            buffer[n++] = attribute || cell.ch == 0 ? ' ' : WyseCellUnicode(cell.ch, cell.flags);
        }
    }
    while (n > 0 && buffer[n - 1] == ' ')
        --n;
    buffer[n] = 0;
    return n;
}

const wchar16* WyseModelName(u8 emulation)
{
    static wchar16 name[16];
    name[0] = 0;
    LoadLanguageString(nullptr, 11331u + emulation, name, 16);
    return name;
}
