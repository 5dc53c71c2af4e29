// The page memory: 100 line records whose pointers change places when pages swap.
#include <new>

#include "terminal/emulations/tvi/store/lines.h"

TviState Tvi;
TviSetupCopy TviSetup;
u8 TviTabStops[kTviCells];

namespace {
TviLine* g_lines[kTviLines] = {};
TviLine* g_block = nullptr;
}  // namespace

bool TviAllocateLines()
{
    if (g_block)
        return true;
    g_block = new (std::nothrow) TviLine[kTviLines];
    if (!g_block)
        return false;
    for (int i = 0; i < kTviLines; ++i)
        g_lines[i] = &g_block[i];
    return true;
}

void TviFreeLines()
{
    delete[] g_block;
    g_block = nullptr;
    for (TviLine*& line : g_lines)
        line = nullptr;
}

bool TviLinesAllocated()
{
    return g_block != nullptr;
}

TviLine* TviLineAt(int line)
{
    if (line < 0 || line >= kTviLines)
        return nullptr;
    return g_lines[line];
}

void TviSwapLines(int a, int b)
{
    if (a < 0 || b < 0 || a >= kTviLines || b >= kTviLines)
        return;
    TviLine* t = g_lines[a];
    g_lines[a] = g_lines[b];
    g_lines[b] = t;
}

int TviScreenRowToLine(int screenRow)
{
    if (screenRow < 0)
        return Tvi.set.topRow;
    if (screenRow > Tvi.set.displayHeight)
        return Tvi.set.bottomRow;
    return Tvi.scrollOffset + screenRow;
}

int TviWindowRows()
{
    return Tvi.set.displayHeight + 3;
}

int TviWindowLine(int windowRow)
{
    int line;
    if (windowRow <= 0)
        line = Tvi.set.topRow == 0 ? kTviBlankLine : Tvi.set.topRow;
    else if (windowRow >= Tvi.set.displayHeight + 2)
        line = Tvi.set.bottomRow;
    else
        line = Tvi.scrollOffset + windowRow - 1;
    return line >= 0 && line < kTviLines ? line : kTviBlankLine;
}
