// The painter and the scroll bar: every call is recorded in order.
#include "support/doubles_host.h"

#include "terminal/core/screen/display.h"

namespace doubles {
DisplayDouble& Display()
{
    static DisplayDouble d;
    return d;
}

int DisplayDouble::Count(const std::string& what) const
{
    int n = 0;
    for (const DisplayCall& c : calls)
        n += c.what == what;
    return n;
}
}  // namespace doubles

namespace {
void Record(const char* what, int a = 0, int b = 0, int c = 0, int d = 0)
{
    doubles::Display().calls.push_back({what, a, b, c, d});
}
}  // namespace

void PaintRowSegment(const ScreenCell*, int row, int c0, int c1, u8 lineFlags)
{
    Record("row", row, c0, c1, lineFlags);
}
// clang-format off
void RepaintScreenRegion(int r0, int c0, int r1, int c1) { Record("region", r0, c0, r1, c1); }
void ScrollScreenUp(int r0, int r1) { Record("up", r0, r1); }
void ScrollScreenDown(int r0, int r1) { Record("down", r0, r1); }
void ScrollScreenRect(int fc, int fr, int tc, int tr) { Record("rect", fc, fr, tc, tr); }
void ToggleTextCursor(int argument) { Record("cursor", argument); }
void RefreshScrollRange() { Record("range"); }
void RefreshScrollThumb() { Record("thumb"); }
void InvalidateTerminal() { Record("invalidate"); }
// Frames are the window's: the engines only record damage, which asks for one.
void RequestFrame() { ++doubles::Display().frameRequests; }
void RefitScreenFont() {}
void ResizeWindowToRows(int n) { Record("resize", n); }
// clang-format on
