#include "terminal/emulations/hp700/memory/repaint.h"

#include "terminal/core/screen/display.h"
#include "terminal/emulations/hp700/hp700.h"

namespace {
struct PendingSpan {
    bool dirty = false;
    int row = 0, first = 0, last = 0;
};
PendingSpan g_span;
}  // namespace

void Hp700RepaintRows(int a, int b)
{
    if (a > b)
        return;
    RepaintScreenRegion(a, 0, b, kHpMaxColumns - 1);
}

void Hp700RepaintAll()
{
    g_span.dirty = false;
    RepaintScreenRegion(0, 0, kHpScreenRows + 1, kHpMaxColumns - 1);
}

void Hp700MarkChanged(int row, int c0, int c1)
{
    if (g_span.dirty && g_span.row != row)
        Hp700FlushRow();
    if (!g_span.dirty) {
        g_span = PendingSpan{true, row, c0, c1};
        return;
    }
    if (c0 < g_span.first)
        g_span.first = c0;
    if (c1 > g_span.last)
        g_span.last = c1;
}

void Hp700FlushRow()
{
    if (!g_span.dirty)
        return;
    g_span.dirty = false;
    RepaintScreenRegion(g_span.row, g_span.first, g_span.row, g_span.last);
}
