#include "terminal/emulations/hp700/memory/memory.h"

#include <algorithm>
#include <new>

#include "terminal/core/screen/display.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

int LastScreenRow()
{
    return kHpScreenRows - 1;
}

int MaxViewTop()
{
    return Hp700.memoryLines - kHpScreenRows;
}

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

// The locked lines stay on their screen rows while the window moves one line: the line
// that passes them changes sides.
void KeepLockedLinesUp()
{
    if (!Hp700LockRangeSet() || Hp700.selfTestRunning)
        return;
    HpLine** l = Hp700.lines;
    std::rotate(l + Hp700.lockFirst, l + Hp700.lockLast + 1, l + Hp700.lockLast + 2);
    ++Hp700.lockFirst;
    ++Hp700.lockLast;
}

void KeepLockedLinesDown()
{
    if (!Hp700LockRangeSet() || Hp700.selfTestRunning)
        return;
    HpLine** l = Hp700.lines;
    std::rotate(l + Hp700.lockFirst - 1, l + Hp700.lockFirst, l + Hp700.lockLast + 1);
    --Hp700.lockFirst;
    --Hp700.lockLast;
}

// The first screen row below the locked lines.
int FirstFreeRow()
{
    if (!Hp700.memoryLock || !Hp700LockRangeSet())
        return 0;
    return Hp700.lockLast - Hp700.viewTop + 1;
}

// The window shows one line further down memory (the cursor keeps its memory line).
bool ViewDown()
{
    if (Hp700.viewTop >= MaxViewTop() || Hp700.lockLast + 1 >= Hp700.memoryLines)
        return false;
    ++Hp700.viewTop;
    KeepLockedLinesUp();
    return true;
}

bool ViewUp()
{
    if (Hp700.viewTop <= 0 || (Hp700LockRangeSet() && Hp700.lockFirst <= 0))
        return false;
    --Hp700.viewTop;
    KeepLockedLinesDown();
    return true;
}

void ClampCursorBelowLock()
{
    const int first = Hp700.viewTop + FirstFreeRow();
    if (Hp700.cursorRow < first)
        Hp700.cursorRow = first;
}

void MoveCursorToScreenRow(int row)
{
    Hp700.cursorRow = Hp700.viewTop + std::clamp(row, 0, LastScreenRow());
}

}  // namespace

bool Hp700AllocateMemory(int pages)
{
    if (pages < kHpMinPages || pages > kHpMaxPages)
        return false;
    const int m = pages * kHpScreenRows;
    HpLine* block = new (std::nothrow) HpLine[m];
    HpLine** lines = new (std::nothrow) HpLine*[m];
    if (!block || !lines) {
        delete[] block;
        delete[] lines;
        return false;
    }
    Hp700FreeMemory();
    Hp700.lineBlock = block;
    Hp700.lines = lines;
    Hp700.pages = pages;
    Hp700.memoryLines = m;
    for (int k = 0; k < m; ++k) {
        lines[k] = &block[k];
        Hp700BlankLine(lines[k]);
    }
    Hp700.viewTop = 0;
    Hp700.cursorRow = Hp700.cursorColumn = 0;
    Hp700.memoryLock = false;
    Hp700.lockFirst = 0;
    Hp700.lockLast = -1;
    return true;
}

void Hp700FreeMemory()
{
    // The definition screen gives the window back before the lines go.
    Hp700LeaveConfigScreen();
    delete[] Hp700.lines;
    delete[] Hp700.lineBlock;
    Hp700.lines = nullptr;
    Hp700.lineBlock = nullptr;
}

bool Hp700SetMemoryPages(int pages)
{
    if (pages < kHpMinPages || pages > kHpMaxPages)
        return false;
    Hp700.settings.pages = static_cast<u8>(pages);
    if (Hp700.lines && pages != Hp700.pages)
        return Hp700AllocateMemory(pages);
    return true;
}

HpLine* Hp700Line(int k)
{
    return Hp700.lines[std::clamp(k, 0, Hp700.memoryLines - 1)];
}

HpLine* Hp700ScreenLine(int row)
{
    return Hp700Line(Hp700.viewTop + row);
}

HpLine* Hp700CursorLine()
{
    return Hp700Line(Hp700.cursorRow);
}

ScreenCell* Hp700CursorCell()
{
    return &Hp700CursorLine()->cells[Hp700.cursorColumn];
}

int Hp700CursorScreenRow()
{
    return Hp700.cursorRow - Hp700.viewTop;
}

bool Hp700MemoryFull()
{
    return Hp700.viewTop >= MaxViewTop();
}

bool Hp700LockRangeSet()
{
    return Hp700.lockLast >= Hp700.lockFirst;
}

ScreenCell Hp700BlankCell()
{
    return ScreenCell{' ', 0, kHpOutsideField, 0};
}

void Hp700BlankLine(HpLine* line)
{
    for (ScreenCell& c : line->cells)
        c = ScreenCell{0, 0, 0, 0};
    line->used = 0;
    line->blinks = 0;
    line->entryColumn = kHpNoEntryColumn;
}

int Hp700LastUsedLine()
{
    for (int k = Hp700.memoryLines - 1; k >= 0; --k)
        if (Hp700.lines[k]->used)
            return k;
    return -1;
}

void Hp700MarkLinesUsed()
{
    for (int k = Hp700.cursorRow; k >= 0 && !Hp700.lines[k]->used; --k)
        Hp700.lines[k]->used = 1;
}

void Hp700LineFeed()
{
    if (Hp700CursorScreenRow() < LastScreenRow()) {
        ++Hp700.cursorRow;
        return;
    }
    const int top = FirstFreeRow();
    if (Hp700.memoryLock && Hp700LockRangeSet() && Hp700MemoryFull()) {
        // Memory is full under the lock: the line under the locked ones is lost.
        HpLine** l = Hp700.lines;
        const int first = Hp700.lockLast + 1;
        if (first >= Hp700.cursorRow) {
            Hp700BlankLine(l[Hp700.cursorRow]);
        } else {
            Hp700LogLine(first);
            std::rotate(l + first, l + first + 1, l + Hp700.cursorRow + 1);
            Hp700BlankLine(l[Hp700.cursorRow]);
        }
    } else if (ViewDown()) {
        ++Hp700.cursorRow;
    } else {
        // Memory is full: line 0 is lost and a blank line takes the cursor's place.
        Hp700LogLine(0);
        HpLine** l = Hp700.lines;
        std::rotate(l, l + 1, l + Hp700.cursorRow + 1);
        Hp700BlankLine(l[Hp700.cursorRow]);
    }
    Hp700FlushRow();
    ScrollScreenUp(top, LastScreenRow());
}

void Hp700LineFeedCommand()
{
    if (ConfigMenu()) {
        Hp700CursorDown();
        return;
    }
    if (Hp700.logBottom)
        Hp700LogLine(Hp700.cursorRow);
    Hp700.spaceOverLatch = false;
    Hp700LineFeed();
    Hp700MarkLinesUsed();
}

void Hp700CarriageReturn()
{
    if (ConfigMenu()) {
        Hp700.cursorColumn = 0;
        return;
    }
    if (Hp700.settings.spow)
        Hp700.spaceOverLatch = true;
    Hp700.cursorColumn = Hp700.leftMargin;
}

void Hp700CursorUp()
{
    const int row = Hp700CursorScreenRow();
    MoveCursorToScreenRow(row <= FirstFreeRow() ? LastScreenRow() : row - 1);
}

void Hp700CursorDown()
{
    const int row = Hp700CursorScreenRow();
    MoveCursorToScreenRow(row >= LastScreenRow() ? FirstFreeRow() : row + 1);
}

void Hp700CursorRight()
{
    if (Hp700.cursorColumn < Hp700.lastColumn) {
        ++Hp700.cursorColumn;
        return;
    }
    Hp700.cursorColumn = 0;
    Hp700CursorDown();
}

void Hp700CursorLeft()
{
    if (Hp700.cursorColumn > 0) {
        --Hp700.cursorColumn;
        return;
    }
    Hp700.cursorColumn = Hp700.lastColumn;
    Hp700CursorUp();
}

void Hp700HomeUp()
{
    if (ConfigMenu()) {
        Hp700.cursorRow = Hp700.viewTop;
        Hp700.cursorColumn = 0;
        return;
    }
    bool moved = false;
    while (ViewUp())
        moved = true;
    if (moved)
        Hp700RepaintAll();
    Hp700.cursorRow = Hp700.viewTop;
    ClampCursorBelowLock();
    Hp700.cursorColumn = Hp700.leftMargin;
}

void Hp700HomeDown()
{
    if (ConfigMenu()) {
        Hp700.cursorRow = Hp700.viewTop + 16;
        Hp700.cursorColumn = 0;
        return;
    }
    const int last = Hp700LastUsedLine();
    Hp700.cursorColumn = Hp700.leftMargin;
    if (last < 0)
        return;
    bool moved = false;
    while (last > Hp700.viewTop + LastScreenRow() && ViewDown())
        moved = true;
    if (moved)
        Hp700RepaintAll();
    Hp700.cursorRow = std::clamp(last, Hp700.viewTop, Hp700.viewTop + LastScreenRow());
    ClampCursorBelowLock();
}

void Hp700RollUp()
{
    if (ConfigMenu())
        return;
    if (Hp700LastUsedLine() <= Hp700.viewTop + LastScreenRow() || !ViewDown())
        return;
    Hp700FlushRow();
    ScrollScreenUp(FirstFreeRow(), LastScreenRow());
    ClampCursorBelowLock();
    if (Hp700.cursorRow < Hp700.viewTop)
        Hp700.cursorRow = Hp700.viewTop;
}

void Hp700RollDown()
{
    if (ConfigMenu() || !ViewUp())
        return;
    Hp700FlushRow();
    ScrollScreenDown(FirstFreeRow(), LastScreenRow());
    if (Hp700.cursorRow > Hp700.viewTop + LastScreenRow())
        Hp700.cursorRow = Hp700.viewTop + LastScreenRow();
    ClampCursorBelowLock();
}

void Hp700RollUpLines(int n)
{
    if (ConfigMenu())
        return;
    const int screenRow = Hp700CursorScreenRow();
    bool moved = false;
    for (; n > 0 && Hp700LastUsedLine() > Hp700.viewTop + LastScreenRow() && ViewDown(); --n)
        moved = true;
    if (!moved)
        return;
    MoveCursorToScreenRow(screenRow);
    ClampCursorBelowLock();
    Hp700RepaintAll();
}

void Hp700RollDownLines(int n)
{
    if (ConfigMenu())
        return;
    const int screenRow = Hp700CursorScreenRow();
    bool moved = false;
    for (; n > 0 && ViewUp(); --n)
        moved = true;
    if (!moved)
        return;
    MoveCursorToScreenRow(screenRow);
    ClampCursorBelowLock();
    Hp700RepaintAll();
}

void Hp700NextPage(bool fromHost)
{
    if (ConfigMenu())
        return;
    bool moved = false;
    for (int n = 0; n < kHpScreenRows && Hp700LastUsedLine() > Hp700.viewTop + LastScreenRow() && ViewDown(); ++n)
        moved = true;
    if (!moved && fromHost && Hp700MemoryFull()) {
        // At the end of memory the host's next page starts on a clear memory.
        Hp700HomeUp();
        for (int k = Hp700.cursorRow; k < Hp700.memoryLines; ++k)
            Hp700BlankLine(Hp700.lines[k]);
        Hp700RepaintAll();
        return;
    }
    MoveCursorToScreenRow(0);
    ClampCursorBelowLock();
    Hp700.cursorColumn = Hp700.leftMargin;
    Hp700RepaintAll();
}

void Hp700PreviousPage()
{
    if (ConfigMenu())
        return;
    for (int n = 0; n < kHpScreenRows && ViewUp(); ++n) {
    }
    MoveCursorToScreenRow(0);
    ClampCursorBelowLock();
    Hp700.cursorColumn = Hp700.leftMargin;
    Hp700RepaintAll();
}

void Hp700MakeCursorVisible()
{
    bool moved = false;
    while (Hp700.cursorRow < Hp700.viewTop + FirstFreeRow() && ViewUp())
        moved = true;
    while (Hp700.cursorRow > Hp700.viewTop + LastScreenRow() && ViewDown())
        moved = true;
    if (moved)
        Hp700RepaintAll();
}

namespace {
void SetLockRange()
{
    // The screen lines above the cursor's line (none when it is on memory line 0).
    Hp700.lockFirst = Hp700.viewTop;
    Hp700.lockLast = Hp700.cursorRow - 1;
    if (Hp700.cursorRow == 0 || Hp700.lockLast < Hp700.lockFirst) {
        Hp700.lockFirst = 0;
        Hp700.lockLast = -1;
    }
}
}  // namespace

void Hp700MemoryLockOn()
{
    Hp700.memoryLock = true;
    SetLockRange();
}

void Hp700MemoryLockOff()
{
    Hp700.memoryLock = false;
    SetLockRange();
    // Off, the range only remains for the status report; rolling passes over nothing.
    Hp700.lockFirst = 0;
    Hp700.lockLast = -1;
}

void Hp700SetColumns(int lastColumn)
{
    Hp700.lastColumn = lastColumn >= 131 ? 131 : 79;
    Hp700.rightMargin = Hp700.lastColumn;
    if (Hp700.leftMargin > Hp700.rightMargin)
        Hp700.leftMargin = 0;
    Hp700.cursorColumn = std::min(Hp700.cursorColumn, Hp700.lastColumn);
    Hp700RepaintAll();
}
