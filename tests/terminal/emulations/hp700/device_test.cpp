// The HP 700/92's device control: what reaches the print job for each ESC & p command,
// logging, Record Mode and the transparent write, and the completion replies.
#include <string>
#include <vector>

#include "hp700_fixture.h"
#include "support/doubles_host.h"
#include "terminal/emulations/hp700/printer/device.h"

namespace {

const std::string kDc1 = "\x11";

// The print calls since the last look, with the characters gathered into text.
std::string TakePrinted()
{
    std::string out;
    for (const std::string& call : doubles::Comms().printCalls) {
        if (call.rfind("char ", 0) == 0) {
            out.push_back(static_cast<char>(std::stoi(call.substr(5))));
        } else {
            out += "[" + call + "]";
        }
    }
    doubles::Comms().printCalls.clear();
    return out;
}

class Hp700DeviceTest : public Hp700Test {
protected:
    void SetUp() override
    {
        Hp700Test::SetUp();
        doubles::Comms().printerAvailable = true;
        doubles::Comms().printCalls.clear();
    }
    void TearDown() override
    {
        doubles::Comms().printerAvailable = false;
        Hp700Test::TearDown();
    }
    // The completion (or status) reply the host gets for its DC1.
    std::string Reply()
    {
        TakeSent();
        Feed(kDc1);
        return TakeSent();
    }
};

struct DeviceCase {
    const char* name;
    std::string setup, command, printed, reply;
};

TEST_F(Hp700DeviceTest, CommandsPrintInOneJobAndComplete)
{
    const std::string job = "[controller on]";
    // clang-format off
    const DeviceCase cases[] = {
        {"transparent write",  "",                    Esc("&p5W") + "ABCDEfg", job + "ABCDE[off]",         "S\r"},
        {"write to LF",        "",                    Esc("&p0W") + "ab\r\nc", job + "ab\r\n[off]",        "S\r"},
        {"copy line",          "one\r\ntwo\x1b" "A",  Esc("&pB"),              job + "one\r\n[off]",       "S\r"},
        {"copy all",           "one\r\n\r\nthree",    Esc("0"),                job + "one\r\n\r\nthree\r\n[off]", "S\r"},
        {"copy memory",        "ab\r\ncd",            Esc("&pM"),              job + "ab\r\ncd\r\n[off]",  "S\r"},
        {"advance page",       "",                    Esc("&p0C"),             job + "\f[off]",            "S\r"},
        {"advance 3 lines",    "",                    Esc("&p3P") + Esc("&p1C"), job + "\r\n\r\n\r\n[off]", "S\r"},
        {"both in one",        "",                    Esc("&p2p1C"),           job + "\r\n\r\n[off]",      "S\r"},
        {"device status 6",    "",                    Esc("&p6^"),             "",                         Esc("\\p6080\r")},
        {"device status 5",    "",                    Esc("&p5^"),             "",                         ""},
        {"to display",         "",                    Esc("&p3D"),             "",                         ""},
    };
    // clang-format on
    for (const DeviceCase& c : cases) {
        SCOPED_TRACE(c.name);
        Feed(Esc("H") + Esc("J") + c.setup);
        TakePrinted();
        Feed(c.command);
        EXPECT_EQ(TakePrinted(), c.printed);
        EXPECT_EQ(Reply(), c.reply);
    }
}

TEST_F(Hp700DeviceTest, WithoutAPrinterCommandsFailAndBytesStayOnScreen)
{
    doubles::Comms().printerAvailable = false;
    for (const std::string& command : {Esc("&pB"), Esc("&p0C"), Esc("0")}) {
        Feed(command);
        EXPECT_EQ(Reply(), "F\r") << command;
    }
    Feed(Esc("H") + Esc("J") + Esc("&p3W") + "XYZ");
    EXPECT_EQ(Reply(), "F\r");
    EXPECT_EQ(ScreenRow(0), "XYZ");
    EXPECT_EQ(TakePrinted(), "");
}

TEST_F(Hp700DeviceTest, PrintedLinesShowAlternateSetPiecesAndBlankControls)
{
    HpLine line{};
    const char text[] = "a,.f\x01z";
    for (int c = 0; text[c]; ++c)
        line.cells[c].ch = static_cast<u8>(text[c]);
    for (int c = 1; c <= 3; ++c)
        line.cells[c].rendition = kHpAltSet;
    line.cells[6].ch = ' ';
    line.cells[7].ch = 0xE9;  // a Roman-8 code above 160 prints as stored
    line.cells[7].rendition = 0;
    u8 out[kHpLineCells + 2];
    const int n = Hp700PrintedLine(line, out, sizeof out);
    EXPECT_EQ(std::string(out, out + n), "a-|+ z \xE9\r\n");
}

TEST_F(Hp700DeviceTest, RecordModeCollectsLinesUntilThePCharacter)
{
    Feed(Esc("&p4P") + Esc("&p20C"));
    EXPECT_EQ(TakePrinted(), "[controller on]");
    Feed("first\r\nsec");
    EXPECT_EQ(TakePrinted(), "first\r\n") << "a line is printed at its LF";
    Feed("ond\x04"
         "after");
    EXPECT_EQ(TakePrinted(), "second[off]");
    EXPECT_FALSE(Hp700.recordMode);
    EXPECT_EQ(MemoryLine(0), "after") << "bytes after EOT reach the screen again";
    // 256 bytes without LF fill the line and are printed.
    Feed(Esc("&p20C") + std::string(300, 'x'));
    EXPECT_EQ(TakePrinted(), "[controller on]" + std::string(256, 'x'));
    Hp700PrinterReset();  // as the soft reset: Record Mode ends with what it held
    EXPECT_EQ(TakePrinted(), std::string(44, 'x') + "[off]");
}

TEST_F(Hp700DeviceTest, RecordModeNeedsRemoteMode)
{
    Hp700.settings.remote = 0;
    Hp700DeviceCommand('C', 20, true);
    EXPECT_FALSE(Hp700.recordMode);
    EXPECT_EQ(TakePrinted(), "");
}

TEST_F(Hp700DeviceTest, LogBottomPrintsEachLineALineFeedLeaves)
{
    Feed(Esc("&p11C") + "one\r\ntwo\r\nthr");
    EXPECT_EQ(TakePrinted(), "[controller on]one\r\ntwo\r\n");
    EXPECT_EQ(Reply(), "") << "logged lines ask for no completion";
    Feed(Esc("&p13C"));
    EXPECT_EQ(TakePrinted(), "[off]");
    Feed("\r\n");
    EXPECT_EQ(TakePrinted(), "");
}

TEST_F(Hp700DeviceTest, LogTopPrintsTheLineMemoryLoses)
{
    // Four pages: 96 lines fill memory; the next line feed at the bottom loses line 0.
    Feed(Esc("&p12C"));
    for (int i = 0; i < 96; ++i)
        Feed("line" + std::to_string(i) + "\r\n");
    EXPECT_EQ(TakePrinted(), "[controller on]line0\r\n");
    Feed("x\r\n");
    EXPECT_EQ(TakePrinted(), "line1\r\n");
}

TEST_F(Hp700DeviceTest, StoppingDuringATransparentWriteFinishesTheJob)
{
    Feed(Esc("&p10W") + "abc");
    EXPECT_EQ(TakePrinted(), "[controller on]abc");
    Hp700PrinterReset();
    EXPECT_EQ(TakePrinted(), "[off]");
    Feed("def");
    EXPECT_EQ(TakePrinted(), "");
    EXPECT_EQ(ScreenRow(0), "def");
}

TEST_F(Hp700DeviceTest, SoftKeyCommandsSendNoCompletion)
{
    Hp700DeviceCommand('C', 1, true);
    EXPECT_EQ(TakePrinted(), "[controller on]\r\n[off]");
    EXPECT_EQ(Reply(), "");
}

}  // namespace
