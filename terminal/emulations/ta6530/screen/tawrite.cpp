#include "terminal/emulations/ta6530/screen/tawrite.h"

#include "terminal/core/screen/nationalsets.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/tatables.h"

namespace {

constexpr u32 kStrInvalidData = 7579;

// The line-drawing set (ESC ( 0): the DEC letters as the TA6530's own line codes.
constexpr u8 kLineDrawingSet[] = {
    'a', 129, 'j', 153, 'k', 151, 'l', 152, 'm', 154, 'n', 150, 'q', 155,
    't', 147, 'u', 146, 'v', 148, 'w', 149, 'x', 156, '0', 131, 0,
};

// The replacement sets by the TA6530's set numbers; 0 and the numbers without a set of
// their own leave the bytes as they are.
const u8* SetTable(u8 set)
{
    switch (set) {
    case 1: return kNrcBritish;
    case 2: return kNrcFrench;
    case 3: return kNrcNorwegianDanish;
    case 4: return kNrcSwedish;
    case 5: return kNrcGerman;
    case 8: return kNrcSpanish;
    case 10: return kLineDrawingSet;
    default: return nullptr;
    }
}

ScreenCell& AddressCell()
{
    const TaAddress a = TaCurrentAddress();
    return TaLineAt(*a.line).cells[*a.column <= Ta.lastColumn ? *a.column : Ta.lastColumn];
}

// The byte replaces the cell's character; an attribute cell becomes a character cell
// that shows what is in force before it.
void PutCharacter(const TaPage& page, int line, int column, u8 byte)
{
    ScreenCell& cell = TaLineAt(line).cells[column];
    const bool wasAttribute = (cell.rendition & kTaAttributeCell) != 0;
    cell.ch = byte;
    if (wasAttribute) {
        cell.rendition &= static_cast<u8>(~(kTaAttributeCell | kTaFieldStart));
        cell.flags &= kCellSelected;
        const TaFieldInfo before = column > 0 || line > page.first
                                       ? TaFieldAttributeAt(page, column > 0 ? line : line - 1,
                                                            column > 0 ? column - 1 : Ta.lastColumn)
                                       : TaFieldInfo{static_cast<u8>(page.baseVideo & kTaVideoBits), 0, 0};
        cell.rendition = static_cast<u8>((cell.rendition & ~kTaVideoBits) | before.video);
        cell.colour = before.colour;
        TaRespreadFrom(page, line, column);
    }
    TaMarkLineDirty(line, column, column);
}

void WriteConversational(u8 byte)
{
    if (Ta.fromKeyboard && !TaPageShown())
        return;
    TaPage& page = TaCurrentPage();
    PutCharacter(page, page.cursorLine, page.cursorColumn, byte);
    TaCursorRight();
}

void WriteHostBlock(u8 byte)
{
    TaPage& page = TaWritePage();
    PutCharacter(page, page.bufferLine, page.bufferColumn, byte);
    TaAdvanceBufferAddress();
}

void WriteTypedBlock(u8 byte)
{
    if (!TaPageShown())
        return;
    TaPage& page = TaDisplayPage();
    const int line = page.cursorLine, column = page.cursorColumn;
    const bool guarded = Ta.mode == kTaProtected;
    if (guarded && TaPositionProtected(page, line, column))
        return;
    const TaFieldInfo field = TaFieldAttributeAt(page, line, column);
    if ((field.data & kTaUpshift) && byte >= 'a' && byte <= 'z')
        byte = static_cast<u8>(byte - 'a' + 'A');
    const int type = (field.data & kTaDataTypeBits) >> 1;
    if (!(Ta.dataTypes[byte] & (1 << type))) {
        TaShowErrorLine(kStrInvalidData);
        return;
    }
    if (Ta.insert)
        TaInsertChar();
    PutCharacter(page, line, column, byte);
    if (field.startLine >= 0)
        TaLineAt(field.startLine).cells[field.startColumn].flags |= kTaModified;
    if (++page.cursorColumn > Ta.lastColumn) {
        page.cursorColumn = 0;
        page.cursorLine = page.cursorLine >= page.last ? page.first : page.cursorLine + 1;
    }
    // At the end of a field the cursor tabs on, unless the field asks it not to.
    if (guarded && (TaLineAt(page.cursorLine).cells[page.cursorColumn].rendition & kTaFieldStart) &&
        !(field.data & kTaNoAutoTab))
        TaNextUnprotectedField();
}

void WriteAnsi(u8 byte)
{
    TaPage& page = TaCurrentPage();
    ScreenCell& cell = TaLineAt(page.cursorLine).cells[page.cursorColumn];
    cell.ch = byte;
    cell.colour = 0;
    cell.rendition = static_cast<u8>((cell.rendition & 0xC0 & ~kTaFieldStart) | Ta.attribute);
    TaMarkLineDirty(page.cursorLine, page.cursorColumn, page.cursorColumn);
    if (page.cursorColumn < Ta.lastColumn) {
        ++page.cursorColumn;
    } else if (Ta.autoWrap) {
        page.cursorColumn = 0;
        TaLineFeed();
    }
}

}  // namespace

u8 TaMapNational(u8 byte)
{
    if (!(byte & 0x60))
        return byte;
    if (byte < 0x80)
        return MapByteByPairTable(byte, SetTable(Ta.g0));
    if (Ta.g1 == 11)
        return byte;
    return MapByteByPairTable(static_cast<u8>(byte & 0x7F), SetTable(Ta.g1));
}

void TaWriteChar(u8 byte)
{
    Ta.lastChar = byte;
    byte = TaMapNational(byte);
    switch (Ta.mode) {
    case kTaConversational: WriteConversational(byte); break;
    case kTaAnsi: WriteAnsi(byte); break;
    default:
        if (Ta.fromKeyboard)
            WriteTypedBlock(byte);
        else
            WriteHostBlock(byte);
        break;
    }
}

void TaWriteAttribute(u8 video, u8 data, u8 colour)
{
    TaPage& page = TaCurrentPage();
    const TaAddress a = TaCurrentAddress();
    const int line = *a.line, column = *a.column <= Ta.lastColumn ? *a.column : Ta.lastColumn;
    ScreenCell& cell = TaLineAt(line).cells[column];
    const u8 mark = cell.flags & kCellSelected;
    const bool fieldStart = (video & kTaFieldStart) != 0;
    cell.ch = ' ';
    cell.rendition = static_cast<u8>((video & (kTaVideoBits | kTaFieldStart)) | kTaAttributeCell);
    cell.flags = static_cast<u8>((fieldStart ? (data & 0x7F) : 0) | mark);
    cell.colour = fieldStart ? colour : TaFieldAttributeAt(page, line, column).colour;
    TaMarkLineDirty(line, column, column);
    TaRespreadFrom(page, line, column);
    if (TaBlockMode() && !Ta.fromKeyboard)
        TaAdvanceBufferAddress();
    else
        TaCursorRight();
}

void TaStartFieldByCode(u8 code)
{
    const u8* entry = (code & 0x40) ? kTaFixedFields[code & 63] : Ta.fieldTable[code & 31];
    const u8 data = static_cast<u8>((entry[1] & 63) | ((entry[2] & 1) ? kTaUpshift : 0));
    TaWriteAttribute(static_cast<u8>((entry[0] & kTaVideoBits) | 0x60), data, 0);
}

void TaCommandError()
{
    if (!Ta.entered)
        return;
    ScreenCell& cell = AddressCell();
    cell.ch = 127;
    const TaAddress a = TaCurrentAddress();
    TaMarkLineDirty(*a.line, *a.column, *a.column);
}
