// Screen operations: erase, margins, insert and delete, panning and repaint.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/services.h"

namespace {

using Ops = HostPathTest;

void FillRows(int rows)
{
    for (int r = 0; r < rows; ++r) {
        ScreenLineRecord* line = LineAt(r);
        for (int c = 0; c < 80; ++c)
            line->cells[c].ch = static_cast<u8>('A' + r % 26);
    }
}

TEST_F(Ops, EraseCharactersContinuesOnTheFollowingRows)
{
    FillRows(5);
    MoveCursorAbsolute(0, 70);
    EraseCharacters(70, 200);
    EXPECT_EQ(Row(0), std::string(70, 'A'));
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(Row(2), "");
    EXPECT_EQ(Row(3), std::string(30, ' ') + std::string(50, 'D'));
    EXPECT_EQ(Row(4), std::string(80, 'E'));
    EXPECT_EQ(doubles::Display().Count("row"), 4) << "each erased span is repainted";
}

TEST_F(Ops, OutOfRangeMarginsAreIgnored)
{
    SetTopBottomMargins(3, 20);
    MoveCursorAbsolute(10, 10);
    for (auto [top, bottom] : {std::pair{5, 5}, std::pair{0, 30}, std::pair{9, 4}}) {
        SetTopBottomMargins(top, bottom);
        EXPECT_EQ(Screen.top, 2);
        EXPECT_EQ(Screen.bottom, 19);
        EXPECT_EQ(Screen.cursorRow, 10) << "an ignored setting does not home";
    }
    SetTopBottomMargins(0, 0);
    EXPECT_EQ(Screen.top, 0);
    EXPECT_EQ(Screen.bottom, 23);
    EXPECT_EQ(Screen.cursorRow, 0);
    SetLeftRightMargins(10, 10);
    SetLeftRightMargins(0, 81);
    EXPECT_EQ(Screen.left, 0);
    EXPECT_EQ(Screen.right, 79);
}

TEST_F(Ops, OriginModeAddressesRelativeToTheMargins)
{
    SetTopBottomMargins(5, 10);
    VtMode.cursorOrigin = 0;
    MoveCursor(0, 0);
    EXPECT_EQ(Screen.cursorRow, 4);
    MoveCursor(50, 200);
    EXPECT_EQ(Screen.cursorRow, 9);
    EXPECT_EQ(Screen.cursorColumn, 79);
    VtMode.cursorOrigin = 1;
    MoveCursor(50, -3);
    EXPECT_EQ(Screen.cursorRow, 23);
    EXPECT_EQ(Screen.cursorColumn, 0);
}

TEST_F(Ops, CursorMovesStopAtTheRegionAndReportStopping)
{
    SetTopBottomMargins(5, 10);
    MoveCursorAbsolute(7, 0);
    CursorUp(10);
    EXPECT_EQ(Screen.cursorRow, 4) << "inside the region it stops at the top margin";
    CursorDown(0);
    EXPECT_EQ(Screen.cursorRow, 5) << "a count of 0 means 1";
    MoveCursorAbsolute(15, 0);
    CursorDown(30);
    EXPECT_EQ(Screen.cursorRow, 23) << "below the region it stops at the last row";
    MoveCursorAbsolute(2, 0);
    CursorDown(30);
    EXPECT_EQ(Screen.cursorRow, 9) << "above the region it stops at the region's end";
    MoveCursorAbsolute(0, 77);
    EXPECT_EQ(CursorForward(2), 0);
    EXPECT_EQ(CursorForward(1), 1);
    EXPECT_EQ(Screen.cursorColumn, 79);
    EXPECT_EQ(CursorBackward(100), 1);
    EXPECT_EQ(Screen.cursorColumn, 0);
}

TEST_F(Ops, InsertLinesBelowTheRegionReachesThePageEnd)
{
    FillRows(24);
    SetTopBottomMargins(2, 10);
    MoveCursorAbsolute(20, 5);
    InsertLines(2);
    EXPECT_EQ(Row(20), "");
    EXPECT_EQ(Row(21), "");
    EXPECT_EQ(Row(22), std::string(80, 'U'));
    EXPECT_EQ(Row(23), std::string(80, 'V'));
    EXPECT_EQ(Row(19), std::string(80, 'T'));
    EXPECT_EQ(Screen.cursorColumn, 0);
}

TEST_F(Ops, InsertAndDeleteLinesNeverTouchTheHistory)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    const std::vector<std::string> before = History();
    MoveCursorAbsolute(0, 0);
    DeleteLines(3);
    InsertLines(2);
    EXPECT_EQ(History(), before);
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Row(2), "line 10");
}

TEST_F(Ops, CharacterInsertAndDeleteStayWithinTheMarginsAndKeepLineAttributes)
{
    Feed("abcdef");
    LineSetDoubleHeightTop(LineAt(0));
    MoveCursorAbsolute(0, 0);
    InsertCharacters(2);
    EXPECT_EQ(Row(0), "  abcdef");
    EXPECT_TRUE(LineAt(0)->cells[0].flags & kLineTopHalf);
    EXPECT_FALSE(LineAt(0)->cells[2].flags & kLineTopHalf);
    DeleteCharacters(3);
    EXPECT_EQ(Row(0), "bcdef");
    EXPECT_TRUE(LineAt(0)->cells[0].flags & kLineTopHalf);
}

TEST_F(Ops, RegionScrollLeavesTheHistoryAlone)
{
    FillRows(24);
    SetTopBottomMargins(5, 10);
    MoveCursorAbsolute(9, 0);
    Feed("\n\n");
    EXPECT_EQ(Screen.historyCount, 0);
    EXPECT_EQ(Row(4), std::string(80, 'G'));
    EXPECT_EQ(Row(9), "");
    EXPECT_EQ(Row(10), std::string(80, 'K'));
}

TEST_F(Ops, RegionFeedsHistoryWhenSet)
{
    FillRows(24);
    VtMode.regionFeedsHistory = 1;
    SetTopBottomMargins(5, 10);
    MoveCursorAbsolute(9, 0);
    Feed("\n");
    EXPECT_EQ(Screen.historyCount, 1);
    EXPECT_EQ(History().back(), std::string(80, 'E'));
    EXPECT_EQ(Row(9), "");
}

TEST_F(Ops, PanningTwoLinesScrollsTheWindowTenRepaintsOnce)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    doubles::Display() = doubles::DisplayDouble{};
    PanViewUp(2);
    EXPECT_EQ(doubles::Display().Count("down"), 2);
    EXPECT_EQ(doubles::Display().Count("region"), 0);
    doubles::Display() = doubles::DisplayDouble{};
    PanViewUp(10);
    EXPECT_EQ(doubles::Display().Count("down"), 0);
    EXPECT_EQ(doubles::Display().Count("region"), 1);
    EXPECT_EQ(Row(0), "line 25");
    PanViewDown(12);
    EXPECT_EQ(Row(0), "line 37");
    EXPECT_EQ(Screen.historyTarget, Screen.historyCount);
}

TEST_F(Ops, PanningWithAHostRegionStillMovesTheWholeScreen)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    SetTopBottomMargins(5, 10);
    PanViewUp(3);
    EXPECT_EQ(Row(0), "line 14");
    EXPECT_EQ(Row(23), "line 37");
    EXPECT_EQ(Screen.top, 4) << "the host's region is kept";
}

// The configurations a host's scroll down must not notice: scroll-back on or off (-Sb),
// and the region feeding the history.
struct HistoryConfig {
    u8 scrollBar;
    u8 regionFeedsHistory;
};
constexpr HistoryConfig kHistoryConfigs[] = {{1, 0}, {0, 0}, {1, 1}, {0, 1}};

std::string NumberedLines(int first, int last)
{
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    return text;
}

class HistoryOps : public Ops {
protected:
    // A fresh terminal in the configuration, then `lines` numbered lines from the host.
    void Restart(const HistoryConfig& config, int lines)
    {
        TearDown();
        SetUp();
        Screen.scrollBarOn = config.scrollBar;
        VtMode.regionFeedsHistory = config.regionFeedsHistory;
        RecomputeHistoryCapacity();
        Feed(NumberedLines(1, lines));
    }
};

std::string Describe(const HistoryConfig& config)
{
    return "scroll bar " + std::to_string(config.scrollBar) + ", region feeds history " +
           std::to_string(config.regionFeedsHistory);
}

TEST_F(HistoryOps, ReverseIndexAtTheTopOpensABlankLineAndLeavesTheHistory)
{
    for (const HistoryConfig& config : kHistoryConfigs) {
        SCOPED_TRACE(Describe(config));
        Restart(config, 30);
        const std::vector<std::string> history = History();
        EXPECT_EQ(history.size(), config.scrollBar ? 7u : 0u);
        doubles::Display() = doubles::DisplayDouble{};
        Feed("\x1b[HRI1\x1bM\x1bM\x1b[1;1HTOP");
        EXPECT_EQ(Row(0), "TOP");
        EXPECT_EQ(Row(1), "");
        EXPECT_EQ(Row(2), "RI1e8");
        EXPECT_EQ(Row(3), "line9");
        EXPECT_EQ(Row(23), "line29");
        EXPECT_EQ(History(), history);
        EXPECT_EQ(doubles::Display().Count("down"), 2) << "the window scrolls with the store";
        // What less sends to go back a page.
        Feed("\x1b[2J\x1b[H" + NumberedLines(31, 200));
        const std::vector<std::string> before = History();
        for (int k = 181; k >= 159; --k)
            Feed("\x1b[H\x1bMline" + std::to_string(k) + "\r\n");
        for (int r = 0; r < 23; ++r)
            EXPECT_EQ(Row(r), "line" + std::to_string(159 + r));
        EXPECT_EQ(History(), before);
        if (config.scrollBar) {
            EXPECT_EQ(History().back(), "line177");
        }
    }
}

TEST_F(HistoryOps, ReverseIndexAtThePartialRegionTopKeepsTheRowsOutsideIt)
{
    for (const HistoryConfig& config : kHistoryConfigs) {
        SCOPED_TRACE(Describe(config));
        Restart(config, 40);
        const std::vector<std::string> history = History();
        Feed("\x1b[5;10r\x1b[5;1H\x1bMnew");
        EXPECT_EQ(Row(3), "line21");
        EXPECT_EQ(Row(4), "new");
        EXPECT_EQ(Row(5), "line22");
        EXPECT_EQ(Row(9), "line26");
        EXPECT_EQ(Row(10), "line28");
        EXPECT_EQ(History(), history);
    }
}

TEST_F(HistoryOps, HostScrollUpAndDownMoveTheRegionInEveryConfiguration)
{
    for (const HistoryConfig& config : kHistoryConfigs) {
        SCOPED_TRACE(Describe(config));
        Restart(config, 30);
        const std::vector<std::string> history = History();
        Feed("\x1b[3;7H\x1b[2T");
        EXPECT_EQ(Row(0), "");
        EXPECT_EQ(Row(1), "");
        EXPECT_EQ(Row(2), "line8");
        EXPECT_EQ(History(), history) << "SD brings nothing back from the history";
        EXPECT_EQ(Screen.cursorRow, 2);
        EXPECT_EQ(Screen.cursorColumn, 6);
        Feed("\x1b[5;10r\x1b[3S");
        EXPECT_EQ(Row(3), "line9");
        EXPECT_EQ(Row(4), "line13");
        EXPECT_EQ(Row(6), "line15");
        EXPECT_EQ(Row(7), "");
        EXPECT_EQ(Row(9), "");
        EXPECT_EQ(Row(10), "line16");
        EXPECT_EQ(History().size(), history.size() + (config.scrollBar && config.regionFeedsHistory ? 3 : 0));
        Feed("\x1b[r\x1b[100S");
        for (int r = 0; r < 24; ++r)
            EXPECT_EQ(Row(r), "");
        if (config.scrollBar) {
            EXPECT_EQ(History().back(), "line29") << "a full-screen SU feeds the history as LF does";
        }
        Feed("x\x1b[100T");
        EXPECT_EQ(Row(0), "");
        EXPECT_EQ(Row(23), "");
    }
}

TEST_F(Ops, ScreenDisplayOffStopsRowRepaints)
{
    ScreenDisplayOff();
    ScreenDisplayOff();
    EXPECT_EQ(doubles::Display().Count("invalidate"), 1) << "nothing when already off";
    RepaintCursorRowSpan(0, 5);
    EXPECT_EQ(doubles::Display().Count("row"), 0);
    ScreenDisplayOn();
    EXPECT_EQ(doubles::Display().Count("invalidate"), 2);
    EXPECT_EQ(doubles::Display().Count("region"), 2);
}

}  // namespace
