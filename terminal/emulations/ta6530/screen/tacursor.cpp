#include "terminal/emulations/ta6530/screen/tacursor.h"

#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/screen/taprint.h"

namespace {

TaPage& Page()
{
    return TaCurrentPage();
}

bool Protected()
{
    return Ta.mode == kTaProtected;
}

bool OnProtectedPosition()
{
    TaPage& p = Page();
    return TaPositionProtected(p, p.cursorLine, p.cursorColumn);
}

}  // namespace

TaAddress TaCurrentAddress()
{
    TaPage& p = Page();
    if (TaBlockMode() && !Ta.fromKeyboard)
        return {&p.bufferLine, &p.bufferColumn};
    return {&p.cursorLine, &p.cursorColumn};
}

void TaLeaveProtected()
{
    if (Protected() && OnProtectedPosition())
        TaNextUnprotectedField();
}

void TaCursorLeft()
{
    TaPage& p = Page();
    if (p.cursorColumn > 0) {
        --p.cursorColumn;
    } else {
        p.cursorColumn = Ta.lastColumn;
        TaCursorUp();
        return;
    }
    if (Protected() && OnProtectedPosition())
        TaPrevUnprotectedField();
}

void TaCursorUp()
{
    TaPage& p = Page();
    if (Ta.mode == kTaConversational) {
        if (p.cursorLine <= p.top) {
            // At the top of the view the view goes back instead.
            TaScrollDown();
            if (p.cursorLine > p.first)
                --p.cursorLine;
            TaUpdateCursor();
            return;
        }
        --p.cursorLine;
        return;
    }
    p.cursorLine = p.cursorLine <= p.top ? p.bottom : p.cursorLine - 1;
    if (p.cursorLine > p.last)
        p.cursorLine = p.last;
    if (Protected() && OnProtectedPosition())
        TaPrevUnprotectedField();
}

void TaLineFeed()
{
    TaPage& p = Page();
    if ((Ta.mode == kTaConversational || Ta.mode == kTaAnsi) && TaAutoPrintOn())
        TaPrintLine(p.cursorLine);
    if (Ta.mode == kTaAnsi && Ta.newLine)
        p.cursorColumn = 0;
    switch (Ta.mode) {
    case kTaConversational:
    case kTaAnsi:
        if (p.cursorLine >= p.bottom || p.cursorLine >= p.last) {
            TaScrollUp();
            p.cursorLine = p.bottom < p.last ? p.bottom : p.last;
        } else {
            ++p.cursorLine;
        }
        break;
    default: p.cursorLine = p.cursorLine >= p.last ? p.first : p.cursorLine + 1; break;
    }
    TaUpdateCursor();
    TaLeaveProtected();
}

void TaCarriageReturn()
{
    Page().cursorColumn = 0;
    if (Ta.fromKeyboard)
        TaLeaveProtected();
}

void TaCursorRight()
{
    TaPage& p = Page();
    if (p.cursorColumn < Ta.lastColumn) {
        ++p.cursorColumn;
        TaLeaveProtected();
        return;
    }
    p.cursorColumn = 0;
    TaLineFeed();
}

void TaTab()
{
    if (Protected()) {
        TaNextUnprotectedField();
        return;
    }
    TaPage& p = Page();
    for (int c = p.cursorColumn + 1; c <= Ta.lastColumn; ++c)
        if (Ta.tabs[c] == 'T') {
            p.cursorColumn = c;
            return;
        }
    p.cursorColumn = 0;
    TaLineFeed();
}

void TaBackTab()
{
    if (Protected()) {
        TaPrevUnprotectedField();
        return;
    }
    TaPage& p = Page();
    for (int c = p.cursorColumn - 1; c >= 0; --c)
        if (Ta.tabs[c] == 'T') {
            p.cursorColumn = c;
            return;
        }
    p.cursorColumn = 0;
}

void TaCursorHome()
{
    TaPage& p = Page();
    if (Ta.mode == kTaConversational) {
        p.top = p.first;
        TaShowPage();
    }
    p.cursorLine = p.first;
    p.cursorColumn = 0;
    TaLeaveProtected();
}

void TaCursorLastLine()
{
    TaPage& p = Page();
    if (Ta.mode == kTaConversational) {
        p.top = p.last - (kTaRows - 1);
        TaShowPage();
    }
    p.cursorLine = p.last;
    p.cursorColumn = 0;
    if (!Protected())
        return;
    p.cursorColumn = Ta.lastColumn;
    if (OnProtectedPosition())
        TaPrevUnprotectedField();
    else
        TaStartOfField();
}

bool TaSetCursor(int row, int column)
{
    TaPage& p = Page();
    if (row < 0 || row >= kTaRows || column < 0 || column > Ta.lastColumn)
        return false;
    const int line = p.top + row;
    if (line > p.last)
        return false;
    p.cursorLine = line;
    p.cursorColumn = column;
    TaUpdateCursor();
    if (Protected() && OnProtectedPosition())
        TaNextUnprotectedField();
    return true;
}

bool TaSetBufferAddress(int row, int column)
{
    TaPage& p = TaWritePage();
    if (row < 0 || row >= kTaRows || column < 0 || column > Ta.lastColumn || p.first + row > p.last)
        return false;
    p.bufferLine = p.first + row;
    p.bufferColumn = column;
    return true;
}

void TaAdvanceBufferAddress()
{
    TaPage& p = TaWritePage();
    if (++p.bufferColumn <= Ta.lastColumn)
        return;
    p.bufferColumn = 0;
    p.bufferLine = p.bufferLine >= p.last ? p.first : p.bufferLine + 1;
}
