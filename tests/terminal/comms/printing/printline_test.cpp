// The line assembler against a recording printer: what reaches the page (text with its
// line, page breaks) or the raw byte stream.
#include "terminal/comms/printing/printline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingPrinter : public PrintLineOutput {
public:
    struct Drawn {
        int page, line;
        std::u16string text;
    };
    bool Ready() override { return notReadyFor == 0 || (--notReadyFor, false); }
    bool WaitForPrinter() override
    {
        ++waits;
        return !cancelAfterWaits || waits < cancelAfterWaits;
    }
    void WriteRaw(const u16* units, int n) override
    {
        for (int i = 0; i < n; ++i)
            raw.push_back(static_cast<char>(units[i]));
        ++rawWrites;
    }
    int DrawLine(const u16* text, int n, int line) override
    {
        const int fit = n < pageColumns ? n : pageColumns;
        drawn.push_back({page, line, std::u16string(text, text + fit)});
        return fit;
    }
    bool NewPage() override
    {
        ++page;
        return !failNewPage;
    }

    std::vector<Drawn> drawn;
    std::string raw;
    int rawWrites = 0, page = 0, waits = 0, notReadyFor = 0, cancelAfterWaits = 0, pageColumns = 1000;
    bool failNewPage = false;
};

struct Assembly {
    PrintLineAssembler a;
    RecordingPrinter p;
    PrintLineMode mode;
    explicit Assembly(int linesPerPage = 60) { a.Start(linesPerPage); }
    void Put(const std::u16string& s)
    {
        for (char16_t c : s)
            a.PutChar(static_cast<u16>(c), mode, p);
    }
    std::u16string At(int line) const
    {
        std::u16string last;
        for (const auto& d : p.drawn)
            if (d.line == line)
                last = d.text;
        return last;
    }
};

TEST(PrintLineTest, TextPathColumnsAndTabs)
{
    Assembly s;
    s.Put(std::u16string(140, u'x') + u"\r\n");
    EXPECT_EQ(s.At(0), std::u16string(132, u'x')) << "past column 132 a character is dropped";
    s.Put(std::u16string(130, u'a') + u"\t");
    EXPECT_EQ(s.a.Pending(), 132) << "HT at 130 fills to 132";
    s.Put(u"\tb\r\n");
    EXPECT_EQ(s.At(1), std::u16string(130, u'a')) << "at 132 HT and b are dropped";
    s.Put(u"ab\tc\r\n");
    EXPECT_EQ(s.At(2), u"ab      c");
}

TEST(PrintLineTest, LineFeedKeepsTheColumnAndCarriageReturnOverprints)
{
    Assembly s;
    s.Put(u"AB\nC\r\n");
    EXPECT_EQ(s.At(0), u"AB");
    EXPECT_EQ(s.At(1), u"  C");
    s.Put(u"abc\r___\r\n");
    ASSERT_GE(s.p.drawn.size(), 4u);
    const auto& over = s.p.drawn[s.p.drawn.size() - 2];
    const auto& under = s.p.drawn.back();
    EXPECT_EQ(over.line, under.line) << "CR returns to the start of the same line";
    EXPECT_EQ(over.text, u"abc");
    EXPECT_EQ(under.text, u"___");
}

TEST(PrintLineTest, BackspaceOverprintsOrBacksUp)
{
    Assembly s;
    s.Put(u"ab \bc\r\n");
    EXPECT_EQ(s.At(0), u"abc") << "after a blank BS only backs up";
    s.Put(u"ab\b_\r\n");
    ASSERT_GE(s.p.drawn.size(), 3u);
    EXPECT_EQ(s.p.drawn[1].text, u"ab");
    EXPECT_EQ(s.p.drawn[2].text, u" _") << "the next character lands on the b";
    EXPECT_EQ(s.p.drawn[1].line, s.p.drawn[2].line);
}

TEST(PrintLineTest, WideLinesAreCutOrWrapped)
{
    Assembly cut;
    cut.p.pageColumns = 10;
    cut.Put(u"0123456789ABCDE\r\n");
    EXPECT_EQ(cut.At(0), u"0123456789");
    EXPECT_EQ(cut.p.drawn.size(), 1u);

    Assembly wrap;
    wrap.mode.autoWrap = true;
    wrap.p.pageColumns = 10;
    wrap.Put(u"0123456789ABCDE\r\nx\r\n");
    EXPECT_EQ(wrap.At(0), u"0123456789");
    EXPECT_EQ(wrap.At(1), u"ABCDE");
    EXPECT_EQ(wrap.At(2), u"x");
}

TEST(PrintLineTest, PagesBreakAfterTheirLinesAndOnFormFeed)
{
    Assembly s(3);
    s.Put(u"1\r\n2\r\n3\r\n4\f5\r\n");
    ASSERT_EQ(s.p.drawn.size(), 5u);
    EXPECT_EQ(s.p.drawn[3].page, 1);
    EXPECT_EQ(s.p.drawn[3].line, 0) << "the fourth line starts a new page";
    EXPECT_EQ(s.p.drawn[4].page, 2) << "FF ejects";
    EXPECT_EQ(s.p.drawn[4].line, 0);

    Assembly failing(1);
    failing.p.failNewPage = true;
    failing.Put(u"a\r\nb");
    EXPECT_TRUE(failing.a.TakeFailure());
    EXPECT_FALSE(failing.a.TakeFailure());
}

TEST(PrintLineTest, RawPathKeepsEveryByte)
{
    Assembly s;
    s.mode.raw = true;
    const std::u16string data = u"AB\r\nC\x1b[5i\b\t\f";
    s.Put(data);
    EXPECT_TRUE(s.p.raw.empty()) << "a raw line waits for the flush";
    s.a.Flush(s.mode, s.p);
    EXPECT_EQ(s.p.raw, std::string(data.begin(), data.end()));
    s.p.raw.clear();
    s.Put(std::u16string(600, u'z'));
    s.a.Flush(s.mode, s.p);
    EXPECT_EQ(s.p.raw, std::string(600, 'z'));
    EXPECT_EQ(s.p.rawWrites, 1 + 3) << "written a full buffer at a time";
}

TEST(PrintLineTest, NotReadyPrinterHoldsALongRawLineWhole)
{
    Assembly s;
    s.mode.raw = true;
    s.p.notReadyFor = 40;
    std::u16string line;
    for (int i = 0; i < 1000; ++i)
        line.push_back(static_cast<char16_t>('0' + i % 10));
    s.Put(line);
    s.a.Flush(s.mode, s.p);
    EXPECT_GT(s.p.waits, 0) << "a full buffer waits for the printer";
    EXPECT_EQ(s.p.raw, std::string(line.begin(), line.end()));

    Assembly cancelled;
    cancelled.mode.raw = true;
    cancelled.p.notReadyFor = 1 << 30;
    cancelled.p.cancelAfterWaits = 3;
    cancelled.Put(line);
    EXPECT_TRUE(cancelled.p.raw.empty());
    EXPECT_LE(cancelled.a.Pending(), kPrintLineUnits);
}

TEST(PrintLineTest, ControllerAutoLineFeed)
{
    struct Case {
        bool raw;
        std::u16string in;
        std::string raw_out;
        int lines;
    } cases[] = {
        {true, u"A\r\nB\r", "A\r\nB\r\n", 0},
        {true, u"A\rB\n\n", "A\r\nB\n\n", 0},
        {false, u"A\r\nB\r", "", 2},
        {false, u"A\rB\n", "", 2},
    };
    for (const Case& c : cases) {
        Assembly s;
        s.mode.raw = c.raw;
        s.mode.controllerAutoLf = true;
        s.Put(c.in);
        s.a.Flush(s.mode, s.p);
        if (c.raw) {
            EXPECT_EQ(s.p.raw, c.raw_out);
        } else {
            ASSERT_EQ(static_cast<int>(s.p.drawn.size()), c.lines);
            EXPECT_EQ(s.p.drawn[0].line, 0);
            EXPECT_EQ(s.p.drawn[1].line, 1) << "CR alone feeds a line";
        }
    }
}

}  // namespace
