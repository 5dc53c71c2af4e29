// Selection marks and the copied text, over screens the host wrote, into the history and
// across pans of the view; paste filtering.
#include <string>

#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/core/testfamily.h"
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

// A family with a screen of its own: rows of different widths, each shown from its own
// column, and characters only the family can name.
ScreenCell g_ownRows[3][162];
bool OwnArea(SelectionArea* area)
{
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = 2;
    area->visibleRows = 3;
    area->rightColumn = 134;
    return true;
}
ScreenCell* OwnRow(int row, int* columns, int* cellWidth)
{
    // Row 1 shows 135 narrower columns from column 27 to the line's end, the others 81
    // from column 0.
    *columns = row == 1 ? 135 : 81;
    *cellWidth = row == 1 ? 5 : 0;
    return g_ownRows[row] + (row == 1 ? 27 : 0);
}
u16 OwnChar(const ScreenCell& cell)
{
    return cell.ch == '#' ? u'\u00A3' : cell.ch;
}

TEST(OwnScreenSelection, MarksAndCopiesTheFamilysRowsThroughItsHooks)
{
    for (auto& row : g_ownRows)
        for (ScreenCell& cell : row)
            cell = ScreenCell{' ', 7, 0, 0};
    const std::string text[3] = {"left", "pan#ned", "x"};
    const int at[3] = {0, 27 + 128, 80};
    for (int r = 0; r < 3; ++r)
        for (std::size_t i = 0; i < text[r].size(); ++i)
            g_ownRows[r][at[r] + i].ch = static_cast<u8>(text[r][i]);
    static const DisplayHooks display{.selectionArea = OwnArea, .selectionRow = OwnRow, .cellChar = OwnChar};
    TestFamily family(FamilyHooks{.emulations = EmulationBit(kEmuDg410), .display = &display});

    const SelectionArea area = ScreenSelectionArea();
    ASSERT_TRUE(area.available);
    EXPECT_EQ(SelectionRowAt(area, 1).cellWidth, 5);
    const SelectionRange all{0, 0, 2, 134, false};
    // Only the cells each row shows are marked: 81 + 135 + 81.
    EXPECT_EQ(ApplySelectionMarks(area, &all, nullptr), 81 + 135 + 81);
    EXPECT_EQ(Utf8(SelectedText(area)),
              "left\r\n" + std::string(128, ' ') + "pan£ned\r\n" + std::string(80, ' ') + "x\r\n");
    EXPECT_TRUE(g_ownRows[1][27].flags & kCellSelected);
    EXPECT_FALSE(g_ownRows[1][26].flags & kCellSelected);
    EXPECT_EQ(Utf8(SelectionRowText(area, 0)), "left");
    EXPECT_EQ(ApplySelectionMarks(area, nullptr, nullptr), 81 + 135 + 81);

    // A family without the hooks has nothing to select.
    static const DisplayHooks none{};
    TestFamily other(FamilyHooks{.emulations = EmulationBit(kEmuTa6530), .display = &none});
    EXPECT_FALSE(ScreenSelectionArea().available);
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
