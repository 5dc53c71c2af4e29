#include "terminal/emulations/dec/pages/rectangles.h"

#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/services.h"

namespace {

int Clamp(int v, int low, int high)
{
    return v < low ? low : v > high ? high : v;
}

}  // namespace

namespace {

struct Bounds {
    int rowBase, rowLast, columnBase, columnLast;
};

// In origin mode the area counts from the margins and stays within them.
Bounds AreaBounds()
{
    const bool origin = VtMode.cursorOrigin == 0;
    const bool columnsByMargin = origin && LeftRightMarginsNarrow();
    return {origin ? Screen.top : 0, origin ? Screen.bottom : Screen.pageLength - 1,
            columnsByMargin ? Screen.left : 0, columnsByMargin ? Screen.right : Screen.lastColumn};
}

// A 1-based parameter from a base, 0 standing for `absent`; parameters are 16-bit, so
// the sum stays far inside an int.
int Edge(int p, int base, int absent, int last)
{
    return Clamp(p == 0 ? absent : base + p - 1, base, last);
}

}  // namespace

CellArea AreaFromParams(int first, bool rectangle)
{
    const Bounds b = AreaBounds();
    CellArea a;
    a.top = Edge(Param(first), b.rowBase, b.rowBase, b.rowLast);
    a.left = Edge(Param(first + 1), b.columnBase, b.columnBase, b.columnLast);
    a.bottom = Edge(Param(first + 2), b.rowBase, b.rowLast, b.rowLast);
    a.right = Edge(Param(first + 3), b.columnBase, b.columnLast, b.columnLast);
    const bool swapRows = a.top > a.bottom;
    const bool swapColumns = rectangle ? a.left > a.right : (swapRows || (a.top == a.bottom && a.left > a.right));
    if (swapRows) {
        const int t = a.top;
        a.top = a.bottom;
        a.bottom = t;
    }
    if (swapColumns) {
        const int t = a.left;
        a.left = a.right;
        a.right = t;
    }
    return a;
}

CellArea WholeArea()
{
    const Bounds b = AreaBounds();
    return {b.rowBase, b.columnBase, b.rowLast, b.columnLast};
}

void PositionFromParams(int first, int* row, int* column)
{
    const Bounds b = AreaBounds();
    *row = Edge(Param(first), b.rowBase, b.rowBase, b.rowLast);
    *column = Edge(Param(first + 1), b.columnBase, b.columnBase, b.columnLast);
}

int PageCount()
{
    if (!Screen.multiPage || Screen.pages.pageCount < 1)
        return 1;
    return Screen.pages.pageCount > kMaxPages ? kMaxPages : static_cast<int>(Screen.pages.pageCount);
}

int PageFromParam(int p)
{
    const int page = p == 0 ? 0 : p - 1;
    return page >= PageCount() ? PageCount() - 1 : page;
}

ScreenLineRecord* PageLine(int page, int row)
{
    if (row < 0 || row >= Screen.pageLength)
        return nullptr;
    if (!Screen.multiPage)
        return page == 0 ? LineAt(row) : nullptr;
    for (int slot = 0; slot < PageCount(); ++slot)
        if (static_cast<int>(Screen.pages.pageId[slot]) == page)
            return LineAt(slot * Screen.pageLength + row);
    return nullptr;
}

void RepaintArea(int page, const CellArea& area)
{
    if (page != ActivePage())
        return;
    for (int row = area.top; row <= area.bottom; ++row)
        RepaintRowSpan(row, area.left, area.right);
}
