#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/paintsettings.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/screenmodes.h"

ScreenStoreState Screen;
u8 CurrentColour = kDefaultColour;
u8 CurrentRendition = 0;
u8 CurrentFlags = 0;
std::atomic<u8> TerminalInitialised{0};

bool FamilyWantsPages()
{
    const FamilyHooks& family = ActiveFamily();
    return family.multiPage && family.multiPage();
}

namespace {

// Blanks made by the column change carry glyph set 6 in the code-page sets.
u8 CodePageBlankFlags()
{
    return (PaintSettings.characterMode == 3 || PaintSettings.characterMode == 4) ? 6 : 0;
}

ScreenLineRecord* NewLine()
{
    auto* line = static_cast<ScreenLineRecord*>(std::calloc(1, sizeof(ScreenLineRecord)));
    if (line)
        BlankLineCells(line);
    return line;
}

// Exchanges two page slots' blocks of line pointers.
void SwapPageBlocks(int a, int b)
{
    const int n = Screen.pageLength;
    for (int i = 0; i < n; ++i) {
        ScreenLineRecord*& x = Screen.lines[a * n + i];
        ScreenLineRecord*& y = Screen.lines[b * n + i];
        ScreenLineRecord* t = x;
        x = y;
        y = t;
    }
}

PageMargins CurrentMargins()
{
    return {static_cast<u16>(Screen.left), static_cast<u16>(Screen.top), static_cast<u16>(Screen.right),
            static_cast<u16>(Screen.bottom)};
}

void InstallMargins(const PageMargins& m)
{
    SetMarginLinePointers(m.top, m.bottom);
    Screen.left = static_cast<i16>(m.left);
    Screen.right = static_cast<i16>(m.right);
}

void SwapPageSlots(int a, int b)
{
    SwapPageBlocks(a, b);
    ScreenPageTable& t = Screen.pages;
    const u32 id = t.pageId[a];
    t.pageId[a] = t.pageId[b];
    t.pageId[b] = id;
    const PageMargins m = t.saved[a];
    t.saved[a] = t.saved[b];
    t.saved[b] = m;
}

void ResetPageIds()
{
    for (int s = 0; s < kMaxPages; ++s)
        Screen.pages.pageId[s] = static_cast<u32>(s);
}

}  // namespace

ScreenLineRecord* LineAt(int slot)
{
    if (!Screen.lines || slot < 0 || slot >= kLineTableSlots)
        return nullptr;
    return Screen.lines[slot];
}

ScreenCell BlankCell()
{
    return ScreenCell{0x20, CurrentColour, 0, 0};
}

void BlankLineCells(ScreenLineRecord* line)
{
    if (!line)
        return;
    const ScreenCell blank = BlankCell();
    for (int c = 0; c < kStoreColumns; ++c)
        line->cells[c] = blank;
}

ScreenLineRecord* RotateLineSlots(int first, int last, bool down)
{
    ScreenLineRecord** t = Screen.lines;
    if (!t || first > last)
        return nullptr;
    ScreenLineRecord* line;
    if (down) {
        line = t[last];
        for (int s = last; s > first; --s)
            t[s] = t[s - 1];
        t[first] = line;
    } else {
        line = t[first];
        for (int s = first; s < last; ++s)
            t[s] = t[s + 1];
        t[last] = line;
    }
    return line;
}

void BlankAllScreenLines()
{
    for (int slot = 0; slot < Screen.lineCount; ++slot) {
        ScreenLineRecord* line = LineAt(slot);
        if (!line)
            break;
        BlankLineCells(line);
    }
    for (int slot : {kSpareLine1, kSpareLine2, kStatusLineSlot})
        BlankLineCells(LineAt(slot));
}

void BlankLineReverseColours(int slot)
{
    ScreenLineRecord* line = LineAt(slot);
    if (!line)
        return;
    const u8 swapped = static_cast<u8>((kDefaultColour << 4) | (kDefaultColour >> 4));
    for (int c = 0; c < kStoreColumns; ++c)
        line->cells[c] = ScreenCell{0x20, swapped, 0, CodePageBlankFlags()};
}

bool AllocScreenTable()
{
    if (Screen.lines)
        return true;
    Screen.lines = static_cast<ScreenLineRecord**>(std::calloc(kLineTableSlots, sizeof(ScreenLineRecord*)));
    return Screen.lines != nullptr;
}

void FreeScreenTable()
{
    std::free(Screen.lines);
    Screen.lines = nullptr;
}

void ClearScreenLineTable()
{
    if (Screen.lines)
        for (int slot = 0; slot < kScreenLineSlots; ++slot)
            Screen.lines[slot] = nullptr;
    Screen.lineCount = Screen.pageLength = Screen.rows = 0;
}

void ClearSpareLinePointers()
{
    if (Screen.lines)
        for (int slot : {kSpareLine1, kSpareLine2, kStatusLineSlot})
            Screen.lines[slot] = nullptr;
}

bool AllocSpareLines()
{
    if (!Screen.lines)
        return false;
    for (int slot : {kSpareLine1, kSpareLine2, kStatusLineSlot}) {
        if (Screen.lines[slot])
            continue;
        Screen.lines[slot] = NewLine();
        if (!Screen.lines[slot]) {
            for (int s : {kSpareLine1, kSpareLine2, kStatusLineSlot}) {
                std::free(Screen.lines[s]);
                Screen.lines[s] = nullptr;
            }
            return false;
        }
    }
    return true;
}

void FreeScreenLines()
{
    if (!Screen.lines)
        return;
    if (!Screen.lineOwner)
        SetScreenLineCount(0);
    for (int slot : {kSpareLine1, kSpareLine2, kStatusLineSlot}) {
        std::free(Screen.lines[slot]);
        Screen.lines[slot] = nullptr;
    }
}

bool AllocScreenStore()
{
    if (!AllocScreenTable())
        return false;
    ClearScreenLineTable();
    ClearSpareLinePointers();
    if (!SetScreenLineCount(24) || !AllocSpareLines()) {
        FreeScreenLines();
        FreeScreenTable();
        return false;
    }
    Screen.rows = Screen.pageLength = 24;
    Screen.bottom = 23;
    ResetPageIds();
    Screen.pages.pageCount = 1;
    return true;
}

bool SetScreenLineCount(int n)
{
    if (!Screen.lines || n < 0)
        return false;
    if (n == Screen.lineCount)
        return true;
    if (n > Screen.maxLineCount)
        n = Screen.maxLineCount;
    if (n != 0 && n < Screen.rows)
        n = Screen.rows;
    if (n > kScreenLineSlots)
        n = kScreenLineSlots;
    const int old = Screen.lineCount;
    if (n > old) {
        for (int slot = old; slot < n; ++slot) {
            if (Screen.lines[slot])
                continue;
            Screen.lines[slot] = NewLine();
            if (!Screen.lines[slot]) {
                // Undo this call's records so that nothing outside the count is left.
                for (int s = old; s < slot; ++s) {
                    std::free(Screen.lines[s]);
                    Screen.lines[s] = nullptr;
                }
                return false;
            }
        }
    } else {
        for (int slot = n; slot < old; ++slot) {
            std::free(Screen.lines[slot]);
            Screen.lines[slot] = nullptr;
        }
    }
    Screen.lineCount = n;
    return true;
}

int ClampLineCountSetting(int lines)
{
    if (lines < kMinLineCount)
        return kMinLineCount;
    if (lines > kMaxLineCount)
        return kMaxLineCount;
    return lines;
}

void SetMaximumLineCount(int lines)
{
    Screen.maxLineCount = ClampLineCountSetting(lines);
}

void RecomputeHistoryCapacity()
{
    // A page longer than the screen is viewed in part whether or not the scroll bar is
    // shown: the view follows the cursor over the whole page. Only the history of one
    // page goes with the scroll bar.
    int capacity = 0;
    if (Screen.multiPage)
        capacity = Screen.pageLength - Screen.rows;
    else if (Screen.scrollBarOn)
        capacity = Screen.lineCount - Screen.rows;
    if (capacity < 0)
        capacity = 0;
    Screen.historyCapacity = static_cast<i16>(capacity);
    Screen.historyCount = Screen.historyTarget = 0;
    Screen.firstLine = 0;
    // The history is forgotten: its slots must read as unused blank lines again, or a
    // later scroll would bring stale text back onto the screen.
    if (!Screen.multiPage)
        for (int slot = Screen.rows; slot < Screen.lineCount; ++slot)
            BlankLineCells(LineAt(slot));
}

bool SetScreenRowCount(int n)
{
    if (n < 1)
        return false;
    if (n > Screen.maxLineCount)
        n = Screen.maxLineCount;
    if (n > Screen.lineCount && !SetScreenLineCount(n))
        return false;
    Screen.rows = n;
    RecomputeHistoryCapacity();
    RefreshScrollRange();
    RefreshScrollThumb();
    return true;
}

bool ResizeScreenLines(int n)
{
    if (!SetScreenLineCount(n))
        return false;
    RecomputeHistoryCapacity();
    RefreshScrollRange();
    RefreshScrollThumb();
    return true;
}

int ActivePage()
{
    return Screen.multiPage ? static_cast<int>(Screen.pages.pageId[0]) : 0;
}

bool SetScreenPageLength(int n)
{
    if (n > Screen.maxLineCount)
        n = Screen.maxLineCount;
    if (n < Screen.rows)
        return false;
    const int activeBefore = ActivePage();
    const int shownBefore = Screen.pageShown;
    NormalisePageOrder();
    if (!Screen.multiPage) {
        // Without pages the page is the screen: a longer page would let the cursor walk
        // into the history slots.
        Screen.pageLength = Screen.rows;
        Screen.pages.pageCount = 1;
        Screen.cursorRow = Screen.cursorColumn = 0;
        Screen.top = 0;
        Screen.bottom = static_cast<i16>(Screen.pageLength - 1);
        Screen.left = 0;
        Screen.right = Screen.lastColumn;
        UpdateCursorCellPointer();
        RecomputeHistoryCapacity();
        RefreshScrollRange();
        RefreshScrollThumb();
        return true;
    }
    if (n < kMinPageLength)
        n = kMinPageLength;
    if (n > kMaxPageLength)
        n = kMaxPageLength;
    if (n > Screen.lineCount && !ResizeScreenLines(n))
        return false;
    Screen.pageLength = n;
    int count = Screen.lineCount / n;
    if (count > kMaxPages)
        count = kMaxPages;
    Screen.pages.pageCount = static_cast<u32>(count);
    int active = activeBefore > count - 1 ? count - 1 : activeBefore;
    if (Screen.pageShown > count - 1)
        Screen.pageShown = count - 1;
    int shown = shownBefore > count - 1 ? count - 1 : shownBefore;
    // Every page's margins must fit the new length, not only the active page's: the
    // page shown next brings its own back.
    bool beyond = Screen.top > n - 1 || Screen.bottom > n - 1;
    for (int slot = 0; slot < count; ++slot)
        beyond = beyond || Screen.pages.saved[slot].top > n - 1 || Screen.pages.saved[slot].bottom > n - 1;
    if (beyond) {
        SetMarginLinePointers(0, static_cast<i16>(n - 1));
        ResetSavedPageMargins();
    }
    if (Screen.cursorRow > n - 1)
        Screen.cursorRow = static_cast<i16>(n - 1);
    const u8 coupling = Screen.pageCoupling;
    Screen.pageCoupling = 0;
    ShowScreenPage(active);
    Screen.pageShown = shown;
    Screen.pageCoupling = coupling;
    if (!ResizeScreenLines(count * n))
        return false;
    Screen.firstLine = Screen.historyCapacity;
    MoveCursorAbsolute(Screen.cursorRow, Screen.cursorColumn);
    RefreshScrollThumb();
    return true;
}

void SetPageLengthIfChanged(int n)
{
    if (n != Screen.pageLength)
        SetScreenPageLength(n);
}

void ApplyPageModeSetting()
{
    // Only a family on the shared store has pages; one with records of its own in the
    // table keeps it as it is.
    if (ActiveFamily().display || Screen.lineOwner || !Screen.lines)
        return;
    const u32 wanted = FamilyWantsPages() ? 1 : 0;
    if (wanted == Screen.multiPage)
        return;
    NormalisePageOrder();
    Screen.multiPage = wanted;
    // A multi-page model starts with pages of a screen each, as many as fit; back on
    // one page, what the pages held beyond the screen is history room again.
    Screen.pageShown = 0;
    SetScreenPageLength(Screen.rows);
    if (!wanted)
        ResizeScreenLines(Screen.maxLineCount);
    ResetSavedPageMargins();
    MoveCursorAbsolute(Screen.cursorRow < Screen.rows ? Screen.cursorRow : Screen.rows - 1, Screen.cursorColumn);
    RepaintScreen();
}

void SetScreenColumns(int n)
{
    if (n >= 80 && n <= kStoreColumns)
        Screen.lastColumn = static_cast<i16>(n - 1);
    else
        Screen.lastColumn = static_cast<i16>(Screen.windowColumns - 1);
    if (Screen.lastColumn == 79) {
        ScreenCell blank = BlankCell();
        blank.flags = CodePageBlankFlags();
        for (int slot = 0; slot < Screen.lineCount; ++slot)
            if (ScreenLineRecord* line = LineAt(slot))
                for (int c = 80; c < kStoreColumns; ++c)
                    line->cells[c] = blank;
    }
    if (Screen.cursorColumn > Screen.lastColumn)
        Screen.cursorColumn = Screen.lastColumn;
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    // The other pages' margins are checked as well: a page shown later must not bring
    // back a margin beyond the line.
    bool beyond = Screen.left > Screen.lastColumn || Screen.right > Screen.lastColumn;
    for (const PageMargins& m : Screen.pages.saved)
        beyond = beyond || m.left > Screen.lastColumn || m.right > Screen.lastColumn;
    if (beyond) {
        SetLeftRightMargins(0, 0);  // this homes the cursor: it goes back to its place below
        ResetSavedPageMargins();
    }
    MoveCursorAbsolute(row, column);
    if (!Screen.multiPage) {
        Screen.left = 0;
        Screen.right = Screen.lastColumn;
    }
}

void ResetSavedPageMargins()
{
    const PageMargins m = CurrentMargins();
    for (PageMargins& saved : Screen.pages.saved)
        saved = m;
}

void NormalisePageOrder()
{
    if (!Screen.lines || Screen.pageLength < 1)
        return;
    ScreenPageTable& t = Screen.pages;
    int count = static_cast<int>(t.pageCount);
    if (count > kMaxPages)
        count = kMaxPages;
    // The live margins belong to the page in slot 0: keep them with it.
    t.saved[0] = CurrentMargins();
    Screen.rearranging = 1;
    for (int pass = 0; pass < count; ++pass)
        for (int s = 0; s + 1 < count; ++s)
            if (t.pageId[s] > t.pageId[s + 1])
                SwapPageSlots(s, s + 1);
    Screen.rearranging = 0;
    InstallMargins(t.saved[0]);
    Screen.firstLine = 0;
}

void ShowScreenPage(int page)
{
    ScreenPageTable& t = Screen.pages;
    if (!Screen.multiPage || page < 0 || page > static_cast<int>(t.pageCount) - 1 || page == ActivePage())
        return;
    int slot = -1;
    for (int s = 0; s < static_cast<int>(t.pageCount); ++s)
        if (static_cast<int>(t.pageId[s]) == page)
            slot = s;
    if (slot > 0) {
        RunEmulationIdleWork();
        t.saved[0] = CurrentMargins();
        Screen.rearranging = 1;
        SwapPageSlots(0, slot);
        Screen.rearranging = 0;
        InstallMargins(t.saved[0]);
        UpdateCursorCellPointer();
        if (Screen.pageCoupling && Screen.pageShown != ActivePage()) {
            Screen.pageShown = ActivePage();
            InvalidateStatusLine();
            RepaintScreenRegion(0, 0, Screen.rows - 1, Screen.lastColumn);
        }
    }
    RefreshHoldLockIndicator();
}

void ResetTerminalState(int full)
{
    Screen.cursorRow = Screen.cursorColumn = 0;
    Screen.top = 0;
    Screen.bottom = static_cast<i16>(Screen.pageLength > 0 ? Screen.pageLength - 1 : 0);
    Screen.left = 0;
    Screen.right = Screen.lastColumn = 79;
    Screen.firstLine = 0;
    Screen.horizontalOffset = 0;
    ClearPushBackStacks();
    ModalOpen = 0;
    CurrentColour = kDefaultColour;
    CurrentRendition = 0;
    CurrentFlags = 0;
    ClearPendingRowSpan();
    ForEachFamily([](const FamilyHooks& family) {
        if (family.resetModes)
            family.resetModes();
    });
    ResetPageIds();
    ResetSavedPageMargins();
    Screen.pageShown = 0;
}

void GetScreenDimensions(int* rows, int* pageLength, int* lineCount)
{
    if (const DisplayHooks* display = ActiveFamily().display)
        if (display->dimensions) {
            display->dimensions(rows, pageLength, lineCount);
            return;
        }
    if (rows)
        *rows = Screen.rows;
    if (pageLength)
        *pageLength = Screen.pageLength;
    if (lineCount)
        *lineCount = Screen.lineCount;
}
