// Pages and screen size of the VT400 class: moving between the pages of a multi-page
// model, lines per page (DECSLPP) and lines per screen (DECSNLS). The pages themselves
// are slots of the core's screen store; these commands choose which one is active.
#include "terminal/emulations/dec/hostcommands.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/pages/rectangles.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

bool PagesExist()
{
    return Screen.multiPage && Screen.pages.pageCount > 0;
}

int ClampPage(int page)
{
    const int last = PageCount() - 1;
    return page < 0 ? 0 : page > last ? last : page;
}

// The page to go to for a count from the page shown (a count of 0 is 1).
int PageBy(int direction)
{
    return ClampPage(Screen.pageShown + direction * CountParam(1));
}

bool PageCommandAllowed()
{
    return PagesExist() && ParamMarker() == ' ';
}

}  // namespace

bool TerminalModelHasPages()
{
    return VtPageModeForModel();
}

void NextPage()
{
    const MainDisplayScope mainDisplay;
    if (!PageCommandAllowed())
        return;
    ShowScreenPage(PageBy(1));
    // A new page starts at its top; in local editing at the top of the editing area.
    if (VtLocalEditing())
        LocalEditor.cursorHome ? LocalEditor.cursorHome() : MoveCursorAbsolute(0, 0);
    else
        MoveCursorAbsolute(0, 0);
}

void PrecedingPage()
{
    const MainDisplayScope mainDisplay;
    if (!PageCommandAllowed())
        return;
    ShowScreenPage(PageBy(-1));
    HomeCursor();
}

void PageAbsolute()
{
    const MainDisplayScope mainDisplay;
    if (!PageCommandAllowed())
        return;
    const int p = Param(1);
    ShowScreenPage(ClampPage(p == 0 ? 0 : p - 1));
}

void PageRelative()
{
    const MainDisplayScope mainDisplay;
    if (PageCommandAllowed())
        ShowScreenPage(PageBy(1));
}

void PageBackward()
{
    const MainDisplayScope mainDisplay;
    if (PageCommandAllowed())
        ShowScreenPage(PageBy(-1));
}

void SetPageLength()
{
    const MainDisplayScope mainDisplay;
    if (!PageCommandAllowed())
        return;
    // clang-format off
    switch (Param(1)) {
    case 24: case 25: case 36: case 48: case 72: case 144:
        SetPageLengthIfChanged(Param(1));
        break;
    default: break;
    }
    // clang-format on
}

void SetLinesPerScreen(int n)
{
    if (Screen.cursorRow < Screen.top || Screen.cursorRow > Screen.bottom)
        return;
    if (n == 0)
        n = 24;
    if ((n == 24 || n == 25 || n == 36 || n == 48) && n <= Screen.pageLength)
        ResizeWindowToRows(n);
}

void SetLinesPerScreenCommand()
{
    const MainDisplayScope mainDisplay;
    if (IsVt420Class() && ParamMarker() == ' ')
        SetLinesPerScreen(Param(1));
}

int LinesPerScreen()
{
    return Screen.rows;
}
