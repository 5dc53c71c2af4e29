// Screen lines in the five print line formats.
#include "terminal/comms/printing/lprdelay.h"
#include "terminal/comms/printing/printformat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Recorder : public PrintFormatOutput {
public:
    void PrintChar(u16 c) override { printed += Show(c); }
    void BufferChar(u16 c) override { buffered += Show(c); }
    bool Cancelled() override { return cancelAfter >= 0 && static_cast<int>(buffered.size()) >= cancelAfter; }
    static std::string Show(u16 c)
    {
        if (c == 27)
            return "^[";
        if (c == 14)
            return "<SO>";
        if (c == 15)
            return "<SI>";
        if (c == 13)
            return "<CR>";
        if (c == 10)
            return "<LF>";
        if (c >= 32 && c < 127)
            return std::string(1, static_cast<char>(c));
        return "{" + std::to_string(c) + "}";
    }
    std::string printed, buffered;
    int cancelAfter = -1;
};

struct Line {
    ScreenLineRecord record{};
    Line()
    {
        for (ScreenCell& c : record.cells)
            c = ScreenCell{' ', 7, 0, 0};
    }
    Line& Text(int column, const char* text, u8 glyphSet = 0)
    {
        for (; *text; ++text, ++column) {
            record.cells[column].ch = static_cast<u8>(*text);
            record.cells[column].flags = static_cast<u8>((record.cells[column].flags & ~kGlyphSetMask) | glyphSet);
        }
        return *this;
    }
};

// clang-format off
constexpr u8 kGerman[] = {'@', 0xA7, '[', 0xC4, '\\', 0xD6, ']', 0xDC, '{', 0xE4, '|', 0xF6, '}', 0xFC, '~', 0xDF, 0};
// clang-format on
constexpr u8 kLineDrawing = 3;

std::string Format(const Line& line, int format, PrintFormatContext context = {})
{
    Recorder r;
    FormatLineForPrint(&line.record, format, context, r);
    return r.printed + (r.buffered.empty() ? "" : "|" + r.buffered);
}

TEST(PrintFormatTest, FormatsOfOneLine)
{
    Line line;
    line.Text(0, "a[\xC4\x90").Text(5, "qx", kLineDrawing).Text(7, "b");
    PrintFormatContext german;
    german.national = kGerman;
    german.nationalIndex = 6;
    struct Case {
        int format;
        PrintFormatContext context;
        const char* expect;
    } cases[] = {
        // '[' shows as a national letter, so the national printer cannot print it;
        // the A-umlaut is its '['; 0x90 (C1) and the line drawing are blanks.
        {0, german, "^[*<^[)0^[(K^[#5a [    b<CR><LF>"},
        {1, german, "^[*<^[)0^[(K^[#5a [  <SO>qx<SI>b<CR><LF>"},
        {2, german, "^[*<^[)0^[(B^[#5a[{196}  <SO>qx<SI>b<CR><LF>"},
        {3, german, "a[     b<CR><LF>"},
        {9, german, "<CR><LF>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(line, c.format, c.context), c.expect) << "format " << c.format;
}

TEST(PrintFormatTest, BlankLinesAndLineSizes)
{
    Line blank;
    for (int format = 0; format < 5; ++format) {
        const std::string out = Format(blank, format);
        EXPECT_EQ(out.substr(out.size() - 8), "<CR><LF>");
        EXPECT_EQ(out.size() > 8, format <= 2) << "only formats 0-2 print a prefix, format " << format;
    }
    Line wide;
    wide.record.cells[0].flags = kLineDoubleWidth;
    EXPECT_EQ(Format(wide, 3), "<CR><LF>");
    EXPECT_EQ(Format(wide, 0).substr(0, 14), "^[*<^[)0^[(B^[");
    // clang-format off
    const struct {
        u8 flags;
        char final;
    } sizes[] = {{0, '5'}, {kLineDoubleWidth, '6'}, {kLineDoubleWidth | kLineTopHalf, '3'}, {kLineBottomHalf, '4'}};
    // clang-format on
    for (const auto& s : sizes) {
        Line l;
        l.record.cells[0].flags = s.flags;
        EXPECT_EQ(Format(l, 2)[15], s.final);
    }
}

TEST(PrintFormatTest, HostCharacters)
{
    Line line;
    line.Text(0, "ab").Text(3, "qx", kLineDrawing);
    line.record.cells[2].ch = 0;  // never written over: it still takes its column
    // To the Windows printer: the screen's characters, line drawing as box drawing.
    EXPECT_EQ(Format(line, 4), "<CR><LF>|ab {9472}{9474}");
    // To a port: box drawing as ASCII on a 7-bit printer; control codes per the table.
    PrintFormatContext port;
    port.byteOutput = true;
    port.plainLineDrawing = true;
    EXPECT_EQ(Format(line, 4, port), "ab -|<CR><LF>");
    Line controls;
    controls.Text(0, "\x0F\x14\x18\x05z");
    EXPECT_EQ(Format(controls, 4, port), "-|| z<CR><LF>");
    // A cancel stops the line at once.
    Recorder r;
    r.cancelAfter = 1;
    FormatLineForPrint(&line.record, 4, {}, r);
    EXPECT_EQ(r.buffered, "a");
}

TEST(PrintFormatTest, PcCodePageCellsPrintAsThePagesCharacters)
{
    // The consoles keep the host's byte in the cell; the printer is given the code
    // page's character, which the output set then encodes.
    struct Case {
        u8 page, byte;
        u16 character;
    };
    // clang-format off
    constexpr Case kCases[] = {
        {0, 0xB3, 0x2502}, {0, 0x82, 0x00E9}, {1, 0xD5, 0x0131}, {1, 0x9D, 0x00D8},
        {2, 0xD5, 0x20AC}, {3, 0x8A, 0x0160}, {3, 0xE8, 0x010D}, {4, 0xB5, 0x00C1},
        {4, 0xD8, 0x011B},
    };
    // clang-format on
    for (const Case& c : kCases) {
        PrintFormatContext context;
        context.pcCharacters = true;
        context.pcCodePage = c.page;
        const ScreenCell cell{c.byte, 7, 0, 0};
        EXPECT_EQ(PrintCellChar(cell, context), c.character) << int(c.page) << " " << int(c.byte);
    }
    // Through to a port: a 437 box piece stays a box piece.
    Line line;
    line.record.cells[0].ch = 0xC4;
    PrintFormatContext port;
    port.byteOutput = true;
    port.pcCharacters = true;
    EXPECT_EQ(Format(line, 4, port), "{9472}<CR><LF>");
}

TEST(PrintFormatTest, LastNonBlankCell)
{
    Line line;
    line.Text(10, "x");
    line.record.cells[12].ch = 0;
    EXPECT_EQ(FindLastNonBlankCell(&line.record, 0, 131), 10);
    EXPECT_EQ(FindLastNonBlankCell(&line.record, 11, 131), 10);
    EXPECT_EQ(FindLastNonBlankCell(&line.record, 5, 9), 4);
}

}  // namespace

namespace {

// The dialogs' seconds reach the LPR module as milliseconds, whole.
TEST(LprRetryDelay, SecondsBecomeMilliseconds)
{
    EXPECT_EQ(LprRetryDelayMilliseconds(0), 0u);
    EXPECT_EQ(LprRetryDelayMilliseconds(2), 2000u);
    EXPECT_EQ(LprRetryDelayMilliseconds(5), 5000u);
    EXPECT_EQ(LprRetryDelayMilliseconds(0xFFFFFFFF), 4294967u * 1000);
}

}  // namespace
