// Text assist (word processing) and selection fields: the definitions and their checks,
// the scale line, line numbers and tags, typing with word wrap, the text-assist reply,
// and what a selection-field choice and a separator line are drawn as.
#include "session5250_fixture.h"

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"

using t5250::Hex;
using t5250::Negative;
using t5250::Record;

namespace {
// A text screen: status row 1, scale row 2, scale offset 0, tag column 70, five lines of
// text from row 3; format 0 with its left margin in column 3 and its right one in 20;
// input state 3. The format's flags byte and the scale base are the arguments.
std::string TextScreen(const char* flags = "00", const char* base = "00")
{
    return std::string("04 40 04 F3 00 08 D9 32 00 80 00 00 00 0E D9 34 00 00 08 00 05 01 02 00 46 03 "
                       "00 0F D9 35 00 00 00 ") +
           base + " 07 " + flags + " 00 03 01 14 02";
}

// Line entries for rows 3 and 4 (keys 3200 and 3328), row 3 holding `text`, the cursor
// put on row 3 column 5 and the keyboard unlocked.
std::string TextLines(const std::string& text)
{
    const int textBytes = static_cast<int>(t5250::Bytes(text).size());
    char head[64];
    std::snprintf(head, sizeof head, "%02X 00 00 00 03 00 00 00 00 0C 80 00 00 00", 14 + textBytes);
    const std::string row3 = std::string(head) + (text.empty() ? "" : " " + text);
    const std::string row4 = "0E 00 00 00 04 00 00 00 00 0D 00 00 00 00";
    const int length = 12 + 14 + textBytes + 14;
    std::snprintf(head, sizeof head, "04 F3 %02X %02X D9 36 00 00 00 48 00 03 00 05 ", length >> 8, length & 0xFF);
    return head + row3 + " " + row4;
}

std::string Cells(const I5250Session& s, int row, int first, int count)
{
    std::vector<u8> b;
    for (int c = first; c < first + count; ++c)
        b.push_back(s.cells[static_cast<std::size_t>(AddressOf(&s, row - 1, c - 1))].character);
    return Hex(b);
}
}  // namespace

TEST_F(Session5250Test, TextAssistDefinitionsAreChecked)
{
    // A character-text entry of 23 bytes is refused after the one before it was kept.
    std::string entries = "04 C1 E7 E7 17 C2";
    for (int i = 0; i < 21; ++i)
        entries += " E7";
    Host(Record("04 F3 00 20 D9 30 00 " + entries));
    EXPECT_EQ(Sent(), Negative("10 05 01 13"));
    ASSERT_EQ(s.text.characterTexts[0].size(), 256u);
    EXPECT_EQ(Hex(s.text.characterTexts[0][0xC1].bytes), "E7 E7");
    // A text screen whose last line would pass the screen leaves the mode off.
    Host(Record("04 F3 00 0E D9 34 00 00 08 00 19 01 02 00 46 03"));
    EXPECT_EQ(Sent(), Negative("10 05 01 12"));
    EXPECT_FALSE(s.text.mode);
}

TEST_F(Session5250Test, ScaleLineNumbersItsColumns)
{
    struct Case {
        const char* base;
        int column;  // first column read on the scale row
        const char* cells;
    };
    const Case cases[] = {
        {"00", 2, "4B 4B 4B 4B 7A 4B 4B 4B 4B F1"},  // 1-4, 5, 6-9, 10
        {"62", 2, "F0 F0"},                          // 99 and 100
        {"62", 12, "F1 F1"},                         // 109 and 110
    };
    for (const Case& c : cases) {
        Start(t5250::kModel3179);
        Host(Record(TextScreen("40", c.base) + " " + TextLines("")));  // no left margin mark
        EXPECT_EQ(Sent(), "") << c.base;
        EXPECT_EQ(Cells(s, 2, c.column, static_cast<int>(t5250::Bytes(c.cells).size())), c.cells) << c.base;
    }
    // The margins of format 0 on the scale row, the line number of key 3200 on the
    // status row.
    Start(t5250::kModel3179);
    Host(Record(TextScreen() + " " + TextLines("")));
    EXPECT_EQ(Cells(s, 2, 3, 1), "4C");
    EXPECT_EQ(Cells(s, 2, 20, 1), "6E");
    EXPECT_EQ(Cells(s, 1, 76, 3), "F1 F2 40");
}

TEST_F(Session5250Test, AFormatThatIgnoresItsLeftMarginStartsTextAfterTheScaleOffset)
{
    Host(Record(TextScreen("40") + " " + TextLines("")));
    EXPECT_EQ(Cells(s, 2, 3, 1), "4B");  // the scale itself, no margin mark
    EXPECT_EQ(s.text.textStart, AddressOf(&s, 2, 1));
}

TEST_F(Session5250Test, TypingWrapsTheLastWordOntoTheNextLineAndF1SendsTheText)
{
    // "AAAAAAAA AAAA BBBB" fills columns 3-20 of row 3.
    Host(Record(TextScreen() + " " + TextLines("00 00 C1 C1 C1 C1 C1 C1 C1 C1 40 C1 C1 C1 C1 40 C2 C2 C2 C2")));
    ASSERT_EQ(Sent(), "");
    ASSERT_TRUE(s.text.mode);
    I5250SetInsertMode(&s, 1);
    Type("X");
    EXPECT_EQ(Row(2), "  AAXAAAAAA AAAA");
    EXPECT_EQ(Row(3), "  BBBB");
    EXPECT_EQ(Cursor(), "3/6");

    Key(t5250::kF1);
    const std::string reply = Sent();
    EXPECT_NE(reply.find("D9 32 00 D0 00 00 00 03 00 05"), std::string::npos) << reply;
    EXPECT_NE(reply.find("C2 C2 C2 C2"), std::string::npos) << reply;
    EXPECT_NE(reply.find("00 10 D9 38 00"), std::string::npos) << reply;
    EXPECT_EQ(reply.substr(0, 48).substr(30, 8), "03 06 31");
}

TEST_F(Session5250Test, TypingAtTheLastTextPositionInserts)
{
    Host(Record(TextScreen() + " " + TextLines("00 00 C1 C2")));
    ASSERT_TRUE(s.text.mode);
    ASSERT_EQ(I5250MoveCursor(&s, AddressOf(&s, 2, 19)), 1);
    Type("X");
    EXPECT_EQ(Cells(s, 3, 20, 1), "E7");
}

TEST_F(Session5250Test, ChoicesAndSeparatorsAreDrawnAsTheirFrames)
{
    I5250SelectionField field{};
    field.kind = 0x20;
    field.textWidth = 6;
    field.separator = 0x4B;
    const u8 indicator[3] = {0x22, 0x21, 0x22}, text[3] = {0x22, 0x21, 0x20};
    for (int k = 0; k < 3; ++k) {
        field.indicatorAttributes[k] = indicator[k];
        field.textAttributes[k] = text[k];
    }
    I5250Choice choice{};
    choice.state = 1;
    choice.start = static_cast<u16>(AddressOf(&s, 4, 10));
    const u8 label[6] = {0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6};
    I5250WriteCell(&s, 0x24, AddressOf(&s, 4, 2), false);  // the attribute in force before it
    I5250DrawChoice(&s, label, 0x20, choice, field);
    EXPECT_EQ(Cells(s, 5, 11, 16), "21 4C 40 21 21 C1 C2 C3 C4 C5 C6 21 40 6E 24 00");

    field.kind = 0xF0;
    choice.start = static_cast<u16>(AddressOf(&s, 6, 10));
    I5250DrawChoice(&s, label, 0x20, choice, field);
    EXPECT_EQ(Cells(s, 7, 11, 2), "21 C1");

    // A separator keeps the attribute in force after it (the choice's restored 0x24).
    I5250DrawSeparatorLine(&s, 9, 5, 1, 0x60, 0x3A, false);
    EXPECT_EQ(Cells(s, 10, 6, 1), "24");
    I5250DrawSeparatorLine(&s, 10, 5, 4, 0x60, 0x3A, false);
    EXPECT_EQ(Cells(s, 11, 6, 4), "3A 60 60 24");
}
