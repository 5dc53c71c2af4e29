#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/paintsettings.h"

#include <chrono>
#include <thread>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/uiservices.h"

std::atomic<u8> CursorShown{0};
std::atomic<u8> CursorUpdatesSuspended{0};
std::atomic<u8> CursorDisabled{0};
std::atomic<u8> BlinkPending{0};

namespace {
std::atomic<i32> g_caretLock{1};

// A family that keeps its own cursor, or null.
const DisplayHooks* OwnCursorDisplay()
{
    const DisplayHooks* display = ActiveFamily().display;
    return display && (display->hideCursor || display->showCursor) ? display : nullptr;
}

// The running family's own cursor hidden or shown; false when the core's caret is used.
bool OwnCursorFamily(bool show)
{
    const DisplayHooks* display = OwnCursorDisplay();
    if (!display)
        return false;
    if (auto op = show ? display->showCursor : display->hideCursor)
        op();
    return true;
}
}  // namespace

void CaretLock()
{
    for (;;) {
        if (g_caretLock.fetch_sub(1) - 1 == 0)
            return;
        g_caretLock.fetch_add(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void CaretUnlock()
{
    if (g_caretLock.load() > 0)
        return;
    g_caretLock.fetch_add(1);
}

void HideCursorForUpdate()
{
    if (CursorUpdatesSuspended)
        return;
    // Called for every host byte: with the caret already off and no family drawing a
    // cursor of its own there is nothing to do, and the lock is not taken.
    if (!CursorShown && !OwnCursorDisplay())
        return;
    CaretLock();
    if (!OwnCursorFamily(false) && CursorShown) {
        ToggleTextCursor(0);
        CursorShown = 0;
    }
    CaretUnlock();
}

void ShowCursorWhenIdle()
{
    // The reader has taken the last key event: the next auto-repeated key may come, even
    // while the cursor itself stays hidden.
    ReleaseKeyRepeatGate();
    if (BlinkPending || MenuActive || PaintSettings.displayOff || CursorUpdatesSuspended || CursorDisabled)
        return;
    CaretLock();
    if (!OwnCursorFamily(true) && !CursorShown && CursorScreenColumn() != -1) {
        ToggleTextCursor(0);
        CursorShown = 1;
    }
    CaretUnlock();
}

namespace {
// The running family's caret place, when it gives one.
bool FamilyCaret(int* row, int* column, int* style)
{
    const DisplayHooks* display = ActiveFamily().display;
    if (!display || !display->textCursor)
        return false;
    int r = -1, c = -1, s = 1;
    const bool shown = display->textCursor(&r, &c, &s);
    *row = shown ? r : -1;
    *column = shown ? c : -1;
    *style = s & 3;
    return true;
}
}  // namespace

bool FamilyPlacesCaret()
{
    const DisplayHooks* display = ActiveFamily().display;
    return display && display->textCursor;
}

int TextCursorStyle()
{
    int row, column, style;
    if (FamilyCaret(&row, &column, &style))
        return style;
    return PaintSettings.cursorStyle & 3;
}

int CursorScreenColumn()
{
    if (ModalOpen || !HasFocus || PaintSettings.displayOff)
        return -1;
    int row, familyColumn, style;
    if (FamilyCaret(&row, &familyColumn, &style))
        return row < 0 ? -1 : familyColumn;
    const ScreenLineRecord* line = CursorLine();
    const bool doubleWidth = line && (line->cells[0].flags & kLineDoubleWidth);
    int column = Screen.cursorColumn;
    if (Screen.lastColumn >= Screen.windowColumns) {
        column -= doubleWidth ? Screen.horizontalOffset / 2 : Screen.horizontalOffset;
        const int shown = doubleWidth ? Screen.windowColumns / 2 : Screen.windowColumns;
        if (column < 0 || column >= shown)
            return -1;
    }
    return column;
}
