// Moves of the cursor that scroll the region at its margins: index and reverse index,
// forward and back index, and the carriage return. Every family on the shared store
// uses them; the DEC control characters are built on them.
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"

void MoveCursorToColumn(int column)
{
    Screen.cursorColumn = static_cast<i16>(column);
    UpdateCursorCellPointer();
    FollowCursorInView();
}

namespace {
bool OutsideLeftRightMargins()
{
    return LeftRightMarginsNarrow() && (Screen.cursorColumn < Screen.left || Screen.cursorColumn > Screen.right);
}
}  // namespace

void CarriageReturn()
{
    MoveCursorToColumn(VtMode.rightToLeft ? Screen.right : Screen.left);
}

void IndexDown()
{
    FlushPendingSpan();
    if (VtLocalEditing() && LocalEditor.lineFeed) {
        LocalEditor.lineFeed();
        return;
    }
    if (AutoPrintOn())
        PrintCursorLine();
    if (Screen.cursorRow == Screen.bottom) {
        // Beside the left/right margins the region does not scroll (a VT420 and xterm
        // leave the text and the cursor where they are).
        if (OutsideLeftRightMargins())
            return;
        ScrollRegionUp();
        if (Screen.historyTarget < Screen.historyCount)
            Screen.historyTarget = Screen.historyCount;
    } else if (Screen.cursorRow < Screen.pageLength - 1) {
        ++Screen.cursorRow;
        UpdateCursorCellPointer();
        FollowCursorInView();
    }
}

void ReverseIndex()
{
    if (VtLocalEditing() && LocalEditor.reverseIndex) {
        LocalEditor.reverseIndex();
        return;
    }
    if (Screen.cursorRow == Screen.top) {
        if (!OutsideLeftRightMargins())
            ScrollRegionDown();
    } else if (Screen.cursorRow > 0) {
        --Screen.cursorRow;
        UpdateCursorCellPointer();
        FollowCursorInView();
    }
}

void ForwardIndex()
{
    if (Screen.cursorColumn == Screen.right)
        ScrollRegionLeft();
    else if (Screen.cursorColumn < CursorColumnLimit())
        MoveCursorToColumn(Screen.cursorColumn + 1);
}

void BackIndex()
{
    if (Screen.cursorColumn == Screen.left)
        ScrollRegionRight();
    else if (Screen.cursorColumn > 0)
        MoveCursorToColumn(Screen.cursorColumn - 1);
}
