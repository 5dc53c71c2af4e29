// Scrolling the region, feeding and recalling the history, and panning the view.
// Scrolling moves line pointers only; the window is scrolled with one-line moves and
// only the uncovered row is painted.
#include <utility>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/screenmodes.h"

namespace {

bool FullScreenRegion()
{
    return Screen.top == 0 && Screen.bottom == Screen.rows - 1;
}

bool ActivePageShown()
{
    return !Screen.multiPage || Screen.pageShown == ActivePage();
}

// A row blanked by the scroll takes the running family's erase colours.
void EraseRow(int row)
{
    if (auto erase = ActiveFamily().eraseRows)
        erase(row, row);
}

struct RearrangingScope {
    u8 saved;
    RearrangingScope() : saved(Screen.rearranging.exchange(1)) {}
    ~RearrangingScope() { Screen.rearranging = saved; }
};

// The region's bottom line moves to its top slot, blanked; nothing leaves the history.
void OpenLineAtRegionTop()
{
    if (!Screen.lines)
        return;
    RearrangingScope scope;
    if (ScreenLineRecord* line = RotateLineSlots(Screen.top, Screen.bottom, true))
        BlankLineCells(line);
    EraseRow(Screen.top);
}

// Copies cells left..right of one line to another, leaving each line's own attributes
// in its cell 0.
void CopySpan(ScreenLineRecord* to, const ScreenLineRecord* from, int left, int right)
{
    if (!to || !from)
        return;
    const u8 attrs = to->cells[0].flags & kLineAttrBits;
    for (int c = left; c <= right; ++c)
        to->cells[c] = from->cells[c];
    to->cells[0].flags = static_cast<u8>((to->cells[0].flags & ~kLineAttrBits) | attrs);
}

void BlankSpan(ScreenLineRecord* line, int left, int right)
{
    if (!line)
        return;
    const u8 attrs = line->cells[0].flags & kLineAttrBits;
    for (int c = left; c <= right; ++c)
        line->cells[c] = BlankCell();
    line->cells[0].flags |= attrs;
}

// Every line of the region moves its cells left..right one column, the cell that opens
// blank; each line keeps its own attributes in cell 0.
void ShiftRegionSideways(bool left)
{
    for (int r = Screen.top; r <= Screen.bottom; ++r) {
        ScreenLineRecord* line = LineAt(r);
        if (!line)
            continue;
        const u8 attrs = line->cells[0].flags & kLineAttrBits;
        if (left) {
            for (int c = Screen.left; c < Screen.right; ++c)
                line->cells[c] = line->cells[c + 1];
            line->cells[Screen.right] = BlankCell();
        } else {
            for (int c = Screen.right; c > Screen.left; --c)
                line->cells[c] = line->cells[c - 1];
            line->cells[Screen.left] = BlankCell();
        }
        line->cells[0].flags = static_cast<u8>((line->cells[0].flags & ~kLineAttrBits) | attrs);
        RepaintRowSpan(r, Screen.left, Screen.right);
    }
}

// The window rows of the region that are on view.
bool VisibleRegionRows(int* r0, int* r1)
{
    int a = Screen.top, b = Screen.bottom;
    if (Screen.multiPage) {
        if (a < Screen.firstLine)
            a = Screen.firstLine;
        if (b > Screen.firstLine + Screen.rows - 1)
            b = Screen.firstLine + Screen.rows - 1;
    }
    *r0 = a - Screen.firstLine;
    *r1 = b - Screen.firstLine;
    return a <= b;
}

// `recall` is for panning only: a full-screen scroll down then brings the newest history
// line back. A host that scrolls down (reverse index, SD) gets a blank top line and
// the history stays as it is: it writes its line over that row without erasing it.
void ScrollRegion(bool up, bool recall)
{
    const i16 history0 = Screen.historyCount, first0 = Screen.firstLine;
    if (StatusLineWriting) {
        BlankLineCells(LineAt(0));
        RepaintRowSpan(0, 0, Screen.lastColumn);
        return;
    }
    if (Screen.multiPage && LeftRightMarginsNarrow()) {
        up ? ScrollRectUp() : ScrollRectDown();
    } else {
        const bool intoHistory = !Screen.multiPage && VtMode.regionFeedsHistory && Screen.lineCount > Screen.rows;
        if (up)
            intoHistory ? RotateRegionUpIntoHistory() : RotateRegionUp();
        else if (recall)
            intoHistory ? RotateRegionDownFromHistory() : RotateRegionDown();
        else
            OpenLineAtRegionTop();
        int r0, r1;
        if (ActivePageShown() && VisibleRegionRows(&r0, &r1))
            up ? ScrollScreenUp(r0, r1) : ScrollScreenDown(r0, r1);
        UpdateCursorCellPointer();
    }
    if (Screen.historyCount != history0 || Screen.firstLine != first0)
        RefreshScrollThumb();
}

// One line of a pan back into the history.
void PanStepDown()
{
    FlushPendingSpan();
    ScrollRegion(false, true);
}

// The host's SU and SD count: at most the region's height.
int RegionLines(int n)
{
    if (n == 0)
        n = 1;
    const int height = Screen.bottom - Screen.top + 1;
    return n > height ? height : n;
}

// Runs `step` with the region widened to the whole screen (unless the region itself
// feeds the history): panning must move every row, whatever margins the host set.
template <typename Step>
void WithPanRegion(Step step)
{
    const i16 top = Screen.top, bottom = Screen.bottom;
    if (!VtMode.regionFeedsHistory) {
        Screen.top = 0;
        Screen.bottom = static_cast<i16>(Screen.rows - 1);
    }
    step();
    Screen.top = top;
    Screen.bottom = bottom;
}

}  // namespace

void ScrollRegionUp()
{
    ScrollRegion(true, false);
}

void ScrollRegionDown()
{
    FlushPendingSpan();
    ScrollRegion(false, false);
}

void ScrollUpLines(int n)
{
    if (n < 0)
        return;
    FlushPendingSpan();
    for (int i = RegionLines(n); i > 0; --i)
        ScrollRegionUp();
    if (Screen.historyTarget < Screen.historyCount)
        Screen.historyTarget = Screen.historyCount;
}

void ScrollDownLines(int n)
{
    if (n < 0)
        return;
    for (int i = RegionLines(n); i > 0; --i)
        ScrollRegionDown();
}

void RotateRegionUp()
{
    if (!Screen.lines)
        return;
    RearrangingScope scope;
    if (!Screen.multiPage && FullScreenRegion()) {
        RotateLineSlots(0, Screen.lineCount - 1, false);
        if (Screen.historyCount >= Screen.historyCapacity)
            BlankLineCells(Screen.lines[Screen.rows - 1]);  // the oldest history line is dropped
        else
            ++Screen.historyCount;
    } else if (ScreenLineRecord* line = RotateLineSlots(Screen.top, Screen.bottom, false)) {
        BlankLineCells(line);
    }
    EraseRow(Screen.bottom);
}

void RotateRegionDown()
{
    if (!Screen.lines)
        return;
    RearrangingScope scope;
    if (!Screen.multiPage && FullScreenRegion()) {
        ScreenLineRecord* line = RotateLineSlots(0, Screen.lineCount - 1, true);
        if (Screen.historyCount > 0)
            --Screen.historyCount;  // the newest history line is back on screen
        else
            BlankLineCells(line);
        EraseRow(Screen.top);
    } else {
        OpenLineAtRegionTop();
    }
}

void RotateRegionUpIntoHistory()
{
    if (!Screen.lines)
        return;
    RearrangingScope scope;
    ScreenLineRecord** t = Screen.lines;
    // The region's top line goes to the newest history slot, the oldest history line
    // comes to the region's bottom.
    RotateLineSlots(Screen.top, Screen.bottom, false);
    RotateLineSlots(Screen.rows, Screen.lineCount - 1, false);
    std::swap(t[Screen.bottom], t[Screen.lineCount - 1]);
    if (Screen.historyCount >= Screen.historyCapacity)
        BlankLineCells(t[Screen.bottom]);
    else
        ++Screen.historyCount;
    EraseRow(Screen.bottom);
}

void RotateRegionDownFromHistory()
{
    if (!Screen.lines)
        return;
    RearrangingScope scope;
    ScreenLineRecord** t = Screen.lines;
    // The newest history line comes to the region's top, the region's bottom line goes
    // to the oldest history slot.
    RotateLineSlots(Screen.rows, Screen.lineCount - 1, true);
    RotateLineSlots(Screen.top, Screen.bottom, true);
    std::swap(t[Screen.top], t[Screen.rows]);
    if (Screen.historyCount > 0)
        --Screen.historyCount;
    else
        BlankLineCells(t[Screen.top]);
    EraseRow(Screen.top);
}

void ScrollRectUp()
{
    for (int r = Screen.top; r < Screen.bottom; ++r)
        CopySpan(LineAt(r), LineAt(r + 1), Screen.left, Screen.right);
    BlankSpan(LineAt(Screen.bottom), Screen.left, Screen.right);
    for (int r = Screen.top; r <= Screen.bottom; ++r)
        RepaintRowSpan(r, Screen.left, Screen.right);
}

void ScrollRectDown()
{
    for (int r = Screen.bottom; r > Screen.top; --r)
        CopySpan(LineAt(r), LineAt(r - 1), Screen.left, Screen.right);
    BlankSpan(LineAt(Screen.top), Screen.left, Screen.right);
    for (int r = Screen.top; r <= Screen.bottom; ++r)
        RepaintRowSpan(r, Screen.left, Screen.right);
}

void ScrollRegionLeft()
{
    ShiftRegionSideways(true);
}

void ScrollRegionRight()
{
    ShiftRegionSideways(false);
}

void PanViewUp(int n)
{
    if (n == 0)
        n = 1;
    HideCursorForUpdate();
    if (StatusLineWriting || n < 0)
        return;
    if (!Screen.multiPage) {
        if (Screen.historyCount == 0)
            return;
        WithPanRegion([n] {
            if (n < 3) {
                for (int i = 0; i < n && Screen.historyCount > 0; ++i)
                    PanStepDown();
            } else {
                for (int i = 0; i < n && Screen.historyCount > 0; ++i)
                    VtMode.regionFeedsHistory ? RotateRegionDownFromHistory() : RotateRegionDown();
                RepaintScreen();
            }
        });
    } else {
        const int step = n < Screen.firstLine ? n : Screen.firstLine;
        Screen.firstLine = static_cast<i16>(Screen.firstLine - step);
        if (n < 3)
            for (int i = 0; i < step; ++i)
                ScrollScreenDown(0, Screen.rows - 1);
        else if (step > 0)
            RepaintScreen();
    }
    RefreshScrollThumb();
}

void PanViewDown(int n)
{
    if (n == 0)
        n = 1;
    HideCursorForUpdate();
    if (StatusLineWriting || n < 0)
        return;
    if (!Screen.multiPage) {
        if (Screen.historyCount >= Screen.historyCapacity)
            return;
        WithPanRegion([n] {
            if (n < 3) {
                for (int i = 0; i < n && Screen.historyCount < Screen.historyCapacity; ++i)
                    ScrollRegionUp();
            } else {
                for (int i = 0; i < n && Screen.historyCount < Screen.historyCapacity; ++i)
                    VtMode.regionFeedsHistory ? RotateRegionUpIntoHistory() : RotateRegionUp();
                RepaintScreen();
            }
        });
        if (Screen.historyTarget < Screen.historyCount)
            Screen.historyTarget = Screen.historyCount;
    } else {
        int step = Screen.historyCapacity - Screen.firstLine;
        if (step > n)
            step = n;
        if (step < 0)
            step = 0;
        Screen.firstLine = static_cast<i16>(Screen.firstLine + step);
        if (n < 3)
            for (int i = 0; i < step; ++i)
                ScrollScreenUp(0, Screen.rows - 1);
        else if (step > 0)
            RepaintScreen();
    }
    RefreshScrollThumb();
}

namespace {
void PanSideways(int n, int direction)
{
    if (StatusLineWriting || Screen.lastColumn < Screen.windowColumns)
        return;
    if (n == 0)
        n = 1;
    const int maxOffset = Screen.lastColumn + 1 - Screen.windowColumns;
    int target = Screen.horizontalOffset + direction * n;
    target = target < 0 ? 0 : (target > maxOffset ? maxOffset : target);
    if (target == Screen.horizontalOffset)
        return;
    const int lastShown = Screen.windowColumns - 1;
    if (n > 2) {
        Screen.horizontalOffset = target;
        RepaintScreen();
        return;
    }
    while (Screen.horizontalOffset != target) {
        Screen.horizontalOffset += direction;
        direction > 0 ? ScrollScreenRect(0, 0, lastShown, 0) : ScrollScreenRect(lastShown, 0, 0, 0);
    }
}
}  // namespace

void PanViewRight(int n)
{
    PanSideways(n, 1);
}

void PanViewLeft(int n)
{
    PanSideways(n, -1);
}

void CatchUpHistoryView()
{
    if (Screen.multiPage || Screen.historyCount >= Screen.historyTarget)
        return;
    WithPanRegion([] {
        while (Screen.historyCount < Screen.historyTarget && Screen.historyCount < Screen.historyCapacity)
            VtMode.regionFeedsHistory ? RotateRegionUpIntoHistory() : RotateRegionUp();
    });
    Screen.historyTarget = Screen.historyCount;
    RefreshScrollThumb();
    RepaintScreen();
}
