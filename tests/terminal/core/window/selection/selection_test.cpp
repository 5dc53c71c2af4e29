// Selecting text while the host-data thread runs: it owns the store and rotates its
// lines whenever the view pans, so the marks of a selection are written under the frame
// lock, and a drag follows a view panned under its pointer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/screenstore.h"

using namespace frame_test;

namespace {

// Numbered lines with a tag of their own, so that no earlier test's lines are counted.
void PlayNumberedLines(const char* tag, int count)
{
    std::string stream;
    char line[32];
    for (int n = 0; n < count; ++n) {
        std::snprintf(line, sizeof line, "%s %03d\r\n", tag, n);
        stream += line;
    }
    const std::string end = std::string(tag) + " end";
    FeedHost(stream + end);
    ASSERT_TRUE(PumpUntil([&] { return OnScreen(end); }, 10000));
    PumpUntil([] { return false; }, 200);
}

class Selection : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartHostOnDefaultEmulation()); }
    // Whatever a failed test left: no drag, no selection, the live screen.
    void TearDown() override
    {
        FinishSelectionDrag();
        ClearSelectionMarks();
        PanHistoryView(-kHistoryLinesMax);
        PumpUntil([] { return Screen.historyCount == Screen.historyTarget; }, 5000);
    }
    static constexpr int kHistoryLinesMax = 100000;
};

POINT CellPoint(int windowRow, int column)
{
    return POINT{column * BaseCellWidth + BaseCellWidth / 2, windowRow * BaseLineHeight + BaseLineHeight / 2};
}

std::vector<std::string> CopiedLines()
{
    SelectionText text;
    EXPECT_TRUE(TakeSelectedText(&text));
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.emplace_back();
            ++i;
        } else {
            lines.back().push_back(static_cast<char>(text[i]));
        }
    }
    lines.pop_back();  // after the last CR LF
    return lines;
}

// The number of a line "tag NNN" shown at a window row.
int NumberAtWindowRow(int windowRow)
{
    const ScreenLineRecord* line = StoreSelectionLine(StoreSelectionArea().viewTop + windowRow);
    if (!line)
        return -1;
    std::string text;
    for (int c = 0; c < 16; ++c)
        text.push_back(static_cast<char>(line->cells[c].ch));
    const std::size_t blank = text.find(' ');
    return blank == std::string::npos ? -1 : std::atoi(text.c_str() + blank + 1);
}

int MarkedCells()
{
    const SelectionArea area = StoreSelectionArea();
    int marked = 0;
    for (int row = area.lowestRow; row <= area.highestRow; ++row)
        if (const ScreenLineRecord* line = StoreSelectionLine(row))
            for (int c = 0; c < kStoreColumns; ++c)
                marked += (line->cells[c].flags & kCellSelected) != 0;
    return marked;
}

TEST_F(Selection, AViewPannedUnderAHeldDragCarriesItsEndToTheLineUnderThePointer)
{
    PlayNumberedLines("pan", 530);
    const int liveTop = StoreSelectionArea().viewTop;
    const int anchor = NumberAtWindowRow(22);
    ASSERT_GT(anchor, 300);
    // No window: the tick's edge scrolling follows the real pointer, not this drag.
    StartSelectionDrag(nullptr, CellPoint(22, 40), SelectionKind::Text);
    ExtendSelectionDrag(nullptr, CellPoint(5, 0));
    // The wheel's pan runs on the host-data thread; the pointer does not move again.
    PanHistoryView(300);
    ASSERT_TRUE(PumpUntil([&] { return StoreSelectionArea().viewTop == liveTop - 300; }, 5000));
    PumpUntil([] { return false; }, 200);
    FinishSelectionDrag();
    const int top = NumberAtWindowRow(5);
    const std::vector<std::string> lines = CopiedLines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(anchor - top + 1));
    char want[32];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::snprintf(want, sizeof want, "pan %03d", top + static_cast<int>(i));
        ASSERT_EQ(lines[i], want) << i;
    }
}

TEST_F(Selection, MarksWaitWhileTheHostDataThreadHoldsTheStore)
{
    PlayNumberedLines("held", 40);
    const int first = NumberAtWindowRow(3);
    // A thread in the host-data thread's place, in the middle of a change of the store.
    HANDLE holding = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread host([&] {
        HostHoldFrameLock();
        SetEvent(holding);
        WaitForSingleObject(done, 10000);
        HostReleaseFrameLock();
    });
    WaitForSingleObject(holding, 10000);
    const int top = StoreSelectionArea().viewTop;
    MarkSelectionRange(top + 3, 0, top + 5, 79);
    EXPECT_EQ(MarkedCells(), 0) << "marks written while the store was being changed";
    SelectionText text;
    EXPECT_FALSE(TakeSelectedText(&text));
    EXPECT_TRUE(SelectionPresent());
    SetEvent(done);
    host.join();
    CloseHandle(holding);
    CloseHandle(done);
    // The tick writes the marks it owes.
    UpdateSelectionDrag();
    EXPECT_EQ(MarkedCells(), 3 * 80);
    char want[32];
    std::vector<std::string> expected;
    for (int n = first; n < first + 3; ++n) {
        std::snprintf(want, sizeof want, "held %03d", n);
        expected.push_back(want);
    }
    EXPECT_EQ(CopiedLines(), expected);
}

}  // namespace
