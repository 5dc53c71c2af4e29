// Selection marks and the copied text, over screens the host wrote, into the history and
// across pans of the view; paste filtering.
#include <string>

#include "hostpath_fixture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/dec/services.h"

namespace {

using Selection = HostPathTest;

std::string Utf8(const SelectionText& text)
{
    std::string out;
    for (wchar16 u : text) {
        const u32 c = static_cast<u16>(u);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// Marks a range of window rows and columns and gives the copied text.
std::string Copy(int row0, int column0, int row1, int column1, bool block = false)
{
    const SelectionArea area = StoreSelectionArea();
    const SelectionRange range{area.viewTop + row0, column0, area.viewTop + row1, column1, block};
    ApplySelectionMarks(area, &range, nullptr);
    return Utf8(SelectedText(area));
}

std::string MarkedColumns(int windowRow)
{
    const ScreenLineRecord* line = StoreSelectionLine(StoreSelectionArea().viewTop + windowRow);
    std::string marks;
    for (int c = 0; c < 80; ++c)
        marks.push_back(line->cells[c].flags & kCellSelected ? '#' : '.');
    return marks;
}

TEST_F(Selection, StreamAndBlockSelectionsMarkAndCopyTheirCells)
{
    Feed("hello\r\nworld\r\n" + std::string(80, 'x') + std::string(80, 'y'));
    EXPECT_EQ(Copy(0, 0, 1, 79), "hello\r\nworld\r\n");
    // Ends given backwards mark the same.
    EXPECT_EQ(Copy(1, 79, 0, 0), "hello\r\nworld\r\n");

    EXPECT_EQ(Copy(2, 69, 3, 4), std::string(11, 'x') + "\r\n" + std::string(5, 'y') + "\r\n");
    EXPECT_EQ(MarkedColumns(2), std::string(69, '.') + std::string(11, '#'));
    EXPECT_EQ(MarkedColumns(3), std::string(5, '#') + std::string(75, '.'));
    EXPECT_EQ(MarkedColumns(0), std::string(80, '.')) << "the earlier selection is gone";

    EXPECT_EQ(Copy(2, 69, 3, 4, true), std::string(66, 'x') + "\r\n" + std::string(66, 'y') + "\r\n");
    const std::string block = std::string(4, '.') + std::string(66, '#') + std::string(10, '.');
    EXPECT_EQ(MarkedColumns(2), block);
    EXPECT_EQ(MarkedColumns(3), block);

    EXPECT_EQ(ApplySelectionMarks(StoreSelectionArea(), nullptr, nullptr), 2 * 66);
}

TEST_F(Selection, LinesLoseTrailingBlanksAndSelectedBlankLinesCount)
{
    Feed("a b   \r\n\r\n  c\x1b[8m secret\x1b[m");
    EXPECT_EQ(Copy(0, 0, 2, 79), "a b\r\n\r\n  c\r\n");
    EXPECT_EQ(Copy(1, 5, 1, 10), "") << "a blank row counts only from its first cell";
    EXPECT_EQ(Copy(0, 2, 0, 40), "b\r\n");
}

TEST_F(Selection, LineDrawingCopiesAsBoxCharacters)
{
    Feed("\x1b(0lqqk\r\nx  x\r\nmqqj\x1b(B");
    EXPECT_EQ(Copy(0, 0, 2, 79), "┌──┐\r\n│  │\r\n└──┘\r\n");
}

TEST_F(Selection, ASelectionIntoTheHistoryCopiesEveryLineAndFollowsPans)
{
    std::string text;
    for (int i = 0; i < 530; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    const SelectionArea area = StoreSelectionArea();
    ASSERT_EQ(area.viewTop, Screen.historyCount);
    ASSERT_GE(Screen.historyCount, 500);
    // From 500 lines back to the second row of the screen.
    const int first = area.viewTop - 500;
    const SelectionRange range{area.viewTop + 1, 79, first, 0, false};
    ApplySelectionMarks(area, &range, nullptr);
    std::string expected;
    const int firstLine = 530 - Screen.rows - 500 + 1;
    for (int i = firstLine; i <= 530 - Screen.rows + 2; ++i)
        expected += "line " + std::to_string(i) + "\r\n";
    EXPECT_EQ(Utf8(SelectedText(StoreSelectionArea())), expected);

    // The view pans into the history and back: the marks move with their lines.
    PanViewUp(200);
    EXPECT_EQ(StoreSelectionArea().viewTop, area.viewTop - 200);
    EXPECT_EQ(Utf8(SelectedText(StoreSelectionArea())), expected);
    EXPECT_EQ(MarkedColumns(0), std::string(80, '#'));
    PanViewDown(150);
    EXPECT_EQ(Utf8(SelectedText(StoreSelectionArea())), expected);
}

TEST_F(Selection, AWholeStoreOf132ColumnsAndTheLargestHistoryCopiesInBounds)
{
    SetMaximumLineCount(kMaxLineCount);
    ASSERT_TRUE(InitialiseTerminal(0));
    Feed("\x1b[?3h");
    ASSERT_EQ(Screen.lastColumn, 131);
    std::string text;
    for (int i = 0; i < 1100; ++i)
        text += std::string(131, static_cast<char>('a' + i % 26)) + "|\r\n";
    Feed(text);
    const SelectionArea area = StoreSelectionArea();
    const SelectionRange all{area.lowestRow, area.leftColumn, area.highestRow, area.rightColumn, false};
    ApplySelectionMarks(area, &all, nullptr);
    const SelectionText copied = SelectedText(area);
    const int rows = area.highestRow - area.lowestRow + 1;
    EXPECT_EQ(rows, kMaxLineCount);
    // Every full line is 132 units and CR LF; the blank line under the cursor counts.
    EXPECT_EQ(copied.size(), static_cast<std::size_t>((rows - 1) * 134 + 2));
}

TEST(PasteFilter, LineFeedsAndBoxDrawing)
{
    struct Case {
        std::u16string in;
        bool keep;
        std::u16string out;
    };
    const Case cases[] = {
        {u"A\r\nB\r\n", false, u"A\rB\r"},
        {u"A\r\nB\r\n", true, u"A\r\nB\r"},
        {u"A\r\n", true, u"A\r"},
        {u"x\ry", false, u"x\ry"},
        {u"a\nb", false, u"a\nb"},
        {std::u16string(u"A\r\0B", 4), false, u"A\r"},
        {std::u16string(u"A\0B", 3), false, u"A"},
        {u"┌─┬┐\r\n│╔═╗", false, u"+--+\r|+-+"},
        {u"\u25C4\u25C5", false, u" \u25C5"},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        const std::wstring in(c.in.begin(), c.in.end());
        const SelectionText out = FilterPasteText(in.data(), in.size(), c.keep);
        EXPECT_EQ(std::u16string(out.begin(), out.end()), c.out);
#else
        EXPECT_EQ(FilterPasteText(c.in.data(), c.in.size(), c.keep), c.out);
#endif
    }
}

TEST_F(Selection, PastedLineFeedsStayWhereTheTerminalSendsNewLines)
{
    EXPECT_FALSE(PasteKeepsLineFeed());
    VtMode.newLineMode = 1;
    EXPECT_TRUE(PasteKeepsLineFeed());
    EmulationId = 0;  // VT52 has no new-line mode
    EXPECT_FALSE(PasteKeepsLineFeed());
    LocalMode = 1;
    EXPECT_TRUE(PasteKeepsLineFeed());
    LocalMode = 0;
    EmulationId = 2;
    VtMode.newLineMode = 0;
}

}  // namespace
