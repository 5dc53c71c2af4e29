// Conversational mode: the scrolling page, control characters, replies and keys.
#include "ta6530_fixture.h"

#include "support/doubles_host.h"
#include "support/doubles_ta6530.h"
#include "terminal/emulations/ta6530/screen/taprint.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/ta6530/tastate.h"

namespace {

TEST_F(Ta6530Test, StartsConversationalWithItsModeOnTheStatusRow)
{
    EXPECT_EQ(Ta.mode, kTaConversational);
    EXPECT_NE(Status().find("#7576"), std::string::npos) << Status();  // "CONV  "
}

TEST_F(Ta6530Test, ControlCharactersMoveAndAnswer)
{
    Feed("\x13\x25\x2AX");  // DC3 row 5, column 10
    EXPECT_EQ(Row(5), std::string(10, ' ') + "X");
    Feed("\x05");
    EXPECT_EQ(Sent(), "06");
    Feed("\x13\x20\x20"
         "ab\x08"
         "c\t");  // BS over b; no tab stops: HT wraps to the next line
    EXPECT_EQ(Row(0), "ac");
    EXPECT_EQ(CursorRow(), 1);
    EXPECT_EQ(CursorColumn(), 0);
    Feed("\x13\x7F\x20");  // a row out of range: the command error writes 127
    EXPECT_EQ(Ta.screen[1]->cells[0].ch, 127);
}

TEST_F(Ta6530Test, IdentificationSaysItWasSentBefore)
{
    Feed("\x1B^");
    const std::string first = Sent();
    Feed("\x1B^");
    EXPECT_EQ(Sent(), "01 3F 41 46 43 0D");
    // The first one of the program's run gave "C" (it may have run in an earlier test).
    EXPECT_TRUE(first == "01 3F 43 46 43 0D" || first == "01 3F 41 46 43 0D") << first;
}

TEST_F(Ta6530Test, FunctionKeysAndTheReturnString)
{
    Key(68);  // F1 at home
    EXPECT_EQ(Sent(), "01 40 20 20 0D");
    Key(74, 1);  // Shift+F7
    EXPECT_EQ(Sent(), "01 66 20 20 0D");
    Feed("\x1Bu!AB");  // a return string of one byte, "A"; "B" is shown
    Key(114);
    EXPECT_EQ(Sent(), "41");
    EXPECT_EQ(Row(0), "B");
}

TEST_F(Ta6530Test, TypedTextIsSentAndShownOnlyWithLocalEcho)
{
    Type("hi");
    EXPECT_EQ(Sent(), "68 69");
    EXPECT_EQ(Row(0), "");
    LocalEcho = 1;
    Type("ok");
    EXPECT_EQ(Sent(), "6F 6B");
    EXPECT_EQ(Row(0), "ok");
    LocalEcho = 0;
}

TEST_F(Ta6530Test, ThePageScrollsUnderTheViewAndTheViewPages)
{
    for (int i = 0; i < 30; ++i)
        Feed("line " + std::to_string(i) + "\r\n");
    // The view followed the text down the 400-line page.
    EXPECT_EQ(Row(22), "line 29");
    EXPECT_EQ(CursorRow(), 23);
    Feed("\x1BV");  // the previous 24 lines
    EXPECT_EQ(Row(0), "line 0");
    Feed("\x1BH");
    EXPECT_EQ(CursorRow(), 0);
    EXPECT_EQ(Row(0), "line 0");
}

TEST_F(Ta6530Test, SohModeBlockSwitchesToBlockMode)
{
    Feed("\x01"
         "B\x03"
         "x");  // telnet: reduced framing, no check, no acknowledgement
    EXPECT_EQ(Ta.mode, kTaBlock);
    EXPECT_EQ(Sent(), "");
    EXPECT_NE(Status().find("#7570"), std::string::npos);  // "KBD LK" until the host unlocks
    Feed("\x1B"
         "b");
    EXPECT_NE(Status().find("#7574"), std::string::npos) << Status();  // "BLOCK "
}

TEST_F(Ta6530Test, SohModeBlockOnASerialLineIsCheckedAndAcknowledged)
{
    UseSerialLine();
    Sent();
    Feed(Frame(1, "B"));  // SOH B ETX 41
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Ta.mode, kTaBlock);
    Feed(Frame(1, "C"));  // block mode takes SOH blocks in the protocol
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Ta.mode, kTaConversational);
    Feed(std::string("\x01"
                     "A\x03") +
         "\x77"
         "\x01"
         "A\x03" +
         "\x42");  // a bad check, then a good one
    EXPECT_EQ(Ta.mode, kTaAnsi);
}

TEST_F(Ta6530Test, ConfigurationValuesAndTheStatusReport)
{
    Feed("\x1Bv"
         "B85 C0\r");  // the 5 would pass 80: the bell column is 8
    EXPECT_EQ(TaSettings.marginBell, 8u);
    EXPECT_EQ(TaSettings.bellOn, 0u);
    Feed("\x1Bv"
         "L9\r");  // above the maximum 7: no value
    EXPECT_EQ(TaSettings.packetBlock, 0u);
    Feed("\x1B?");
    const std::string report = Sent();
    EXPECT_EQ(report.substr(0, 17), "01 21 41 20 32 42") << report;            // SOH ! A " 2" B
    EXPECT_NE(report.find("42 20 38 43 20 30"), std::string::npos) << report;  // B " 8" C " 0"
}

TEST_F(Ta6530Test, ExtendedCaptureTakesOnlyAPlainName)
{
    Feed("\x1B-0ZC:\\x.txt\r\x1B-0Z..\\x\r\x1B-1Zlog.txt\r");
    ASSERT_EQ(doubles::Comms().hostCaptureFiles.size(), 3u);
    EXPECT_EQ(doubles::Comms().hostCaptureFiles[2].mode, 1);
    EXPECT_EQ(doubles::Comms().hostCaptureFiles[2].name, "log.txt");
}

}  // namespace

namespace {

// Select All and Copy read the family's own 80-cell rows through its display hooks.
TEST_F(Ta6530Test, SelectAllCopiesTheEightyColumnsOfEachRow)
{
    Feed("\x13\x20\x20" + std::string(80, 'a') +
         "b\x9c"
         "c");  // 0x9C: the vertical line
    const SelectionArea area = ScreenSelectionArea();
    ASSERT_TRUE(area.available);
    const SelectionRange all{area.lowestRow, area.leftColumn, area.highestRow, area.rightColumn};
    EXPECT_EQ(ApplySelectionMarks(area, &all, nullptr), kTaRows * kTaColumns);
    const SelectionText text = SelectedText(area);
    std::u16string expected = std::u16string(80, u'a') + u"\r\nb\u2502c\r\n";
    for (int row = 2; row < kTaRows; ++row)
        expected += u"\r\n";
    EXPECT_EQ(std::u16string(text.begin(), text.end()), expected);
    // The marks are the cells' own, and go again.
    EXPECT_TRUE(Ta.screen[23]->cells[79].flags & kCellSelected);
    ApplySelectionMarks(area, nullptr, nullptr);
    EXPECT_FALSE(Ta.screen[0]->cells[0].flags & kCellSelected);
}

}  // namespace

namespace {

// ESC 0 asks the frame for a print screen; its steps print the displayed lines, line
// drawing kept, attribute cells and controls as blanks.
TEST_F(Ta6530Test, PrintScreenPrintsTheDisplayedLines)
{
    Feed("first\r\n\x9b\x1b"
         "0");
    ASSERT_FALSE(doubles::Ui().postedCommands.empty());
    EXPECT_EQ(doubles::Ui().postedCommands.back(), 1109u);
    TaStartPrintScreen();
    for (u32 step = 0; step <= kTaRows; ++step)
        TaPrintScreenStep(step);
    const auto& printed = doubles::Ta6530().printed;
    ASSERT_EQ(printed.size(), static_cast<std::size_t>(kTaRows));
    EXPECT_EQ(printed[0], "first");
    EXPECT_EQ(printed[1], "\x9b");
    EXPECT_EQ(doubles::Ta6530().printRunEnds, 1);
}

}  // namespace

namespace {

// A 7-bit line carries bytes above 127 shifted out, SO once per run, SI before the next
// plain byte.
TEST_F(Ta6530Test, SevenBitLinesShiftOutEightBitBytes)
{
    DataBitsSetting = 1;
    Type("\xe9\xe8"
         "a");
    EXPECT_EQ(Sent(), "0E 69 68 0F 61");
    DataBitsSetting = 2;
}

// The keyboard language in national (7-bit) mode replaces characters on the way in, and
// a block-mode read gives the host its own codes back.
TEST_F(Ta6530Test, NationalSetsReplaceAndReadBack)
{
    const u8 keyboard = KeyboardTypeIndex, national = Vt300Values.mltnat;
    KeyboardTypeIndex = 6;  // German
    Vt300Values.mltnat = 0;
    DataBitsSetting = 1;
    Enter();
    Feed("\x01"
         "B\x03"
         "x\x1b"
         "b[\x7b\x1b]   o");
    EXPECT_EQ(Ta.screen[0]->cells[0].ch, 0xC4);  // [ shows as A umlaut
    EXPECT_EQ(Ta.screen[0]->cells[1].ch, 0xE4);
    EXPECT_EQ(Sent(), "5B 7B 0D 04");
    DataBitsSetting = 2;
    KeyboardTypeIndex = keyboard;
    Vt300Values.mltnat = national;
}

}  // namespace

namespace {

// Keys in conversational mode: function codes at once with the cursor, editing keys as
// the escape sequences they type, which go to the host.
TEST_F(Ta6530Test, KeysSendTheirCodesAndSequences)
{
    struct Case {
        int key, shift;
        const char* sent;
    } cases[] = {
        {68, 4, "01 4A 20 20 0D"},  // Alt+F1
        {68, 5, "01 6A 20 20 0D"},  // Alt+Shift+F1
        {79, 1, "01 6B 20 20 0D"},  // Shift+F12
        {89, 0, "1B 41"},           // Up
        {90, 0, "08"},              // Left
        {85, 0, "1B 56"},           // Page Up
        {113, 1, "7F"},             // Shift+Esc
        {115, 4, "1B 31"},          // Alt+Tab: set a tab stop
        {83, 0, ""},                // Insert does nothing here
    };
    for (const Case& c : cases) {
        Key(c.key, c.shift);
        EXPECT_EQ(Sent(), c.sent) << "key " << c.key << " shift " << c.shift;
    }
}

}  // namespace
