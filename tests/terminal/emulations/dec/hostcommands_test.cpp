// The VT host commands beside the emulation switch, and the key auto-repeat gate, on the
// host path with the recording doubles.
#include "terminal/core/hostpath_fixture.h"
#include "support/doubles_network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/dec/hostcommands.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

using HostCommands = HostPathTest;

void Collect(u16 p1, u16 p2)
{
    ResetCsiCollector();
    CsiParameters.slots[1] = {p1, ' '};
    CsiParameters.slots[2] = {p2, ' '};
    CsiParameters.count = 2;
}

TEST_F(HostCommands, SelectEmulationByCodeOnlyWhileReplaying)
{
    struct Case {
        char code;
        int requested;  // -1: nothing requested
    } cases[] = {{'1', 1}, {'2', 1}, {'5', 1},  {'3', 0},  {'6', 2},  {'7', 2}, {'8', 3},
                 {'<', 3}, {'9', 4}, {'=', 18}, {'>', 20}, {'4', -1}, {'x', -1}};
    for (const Case& c : cases) {
        for (bool replaying : {false, true}) {
            doubles::Comms().replayOpen = replaying;
            RequestedEmulationId = 99;
            doubles::Network().incoming.push_back(static_cast<u8>(c.code));
            doubles::Network().incoming.push_back('z');
            HostSelectEmulation();
            const int want = replaying ? c.requested : -1;
            EXPECT_EQ(RequestedEmulationId.load(), want < 0 ? 99 : want) << c.code << " replay " << replaying;
            // The code byte is consumed either way; what follows is left for the reader.
            ASSERT_EQ(doubles::Network().incoming.size(), 1u) << c.code;
            doubles::Network().incoming.clear();
        }
    }
}

TEST_F(HostCommands, CodeAtLocksTheKeyboardForSomeSeconds)
{
    doubles::Comms().replayOpen = true;
    const u8 before = RequestedEmulationId;
    for (u8 b : {u8{0x40}, u8{'5'}, u8{0x40}, u8{'x'}})
        doubles::Network().incoming.push_back(b);
    HostSelectEmulation();
    HostSelectEmulation();
    EXPECT_EQ(doubles::Ui().keyboardLocks, std::vector<u32>{5});
    EXPECT_EQ(RequestedEmulationId.load(), before);
}

TEST_F(HostCommands, ConnectTimeFieldStaysOnTheIndicatorLine)
{
    Collect(61, 20);
    PlaceConnectTimeField();
    EXPECT_EQ(ConnectTimeField.column, 60);
    EXPECT_EQ(ConnectTimeField.width, 20);
    // The host may send any 16-bit numbers: a place off the line is refused.
    for (auto [p1, p2] : {std::pair<u16, u16>{65535, 5}, {10, 65535}, {81, 1}}) {
        Collect(p1, p2);
        PlaceConnectTimeField();
        EXPECT_EQ(ConnectTimeField.column, 60) << p1 << "," << p2;
        EXPECT_EQ(ConnectTimeField.width, 20) << p1 << "," << p2;
    }
    ScreenLineRecord* line = LineAt(kStatusLineSlot);
    ASSERT_NE(line, nullptr);
    BlankLineCells(line);  // without the indicator's other fields
    // A field reaching past the line is written up to the last column only.
    Collect(75, 20);
    PlaceConnectTimeField();
    const ScreenCell beyond = line->cells[Screen.lastColumn + 1];
    DrawConnectTimeField("               12:34");
    EXPECT_EQ(Slot(kStatusLineSlot).size(), 0u);  // only the blanks of the field fit
    EXPECT_EQ(line->cells[Screen.lastColumn + 1].ch, beyond.ch);
    Collect(61, 0);
    PlaceConnectTimeField();
    DrawConnectTimeField("               12:34");
    EXPECT_EQ(Slot(kStatusLineSlot), std::string(75, ' ') + "12:34");
    Collect(61, 3);
    PlaceConnectTimeField();
    DrawConnectTimeField("abcdef");
    // A narrower field leaves the cells after it alone.
    EXPECT_EQ(Slot(kStatusLineSlot).substr(60), "abc            12:34");
}

TEST_F(HostCommands, NationalSetOnlyOnVt510ClassWithoutMultinational)
{
    auto select = [](u16 p1, u16 p2) {
        Collect(p1, p2);
        SelectNationalSet();
        return static_cast<int>(KeyboardTypeIndex);
    };
    EmulationId = 2;
    TerminalId = 13;  // vt520
    Vt300Values.mltnat = 0;
    KeyboardTypeIndex = 0;
    EXPECT_EQ(select(2, 5), 4);
    EXPECT_EQ(select(2, 39), 25);
    EXPECT_EQ(select(2, 22), 22);
    EXPECT_EQ(select(2, 17), 22);  // no such set
    EXPECT_EQ(select(1, 5), 22);   // only p1 = 2 selects
    Vt300Values.mltnat = 1;
    EXPECT_EQ(select(2, 5), 22);
    Vt300Values.mltnat = 0;
    TerminalId = 8;  // vt420 is not of the VT510 class
    EXPECT_EQ(select(2, 5), 22);
    TerminalId = 13;
    EmulationId = 1;
    EXPECT_EQ(select(2, 5), 22);
    EmulationId = 2;
    Vt300Values.mltnat = 1;
}

TEST_F(HostCommands, PageModeFollowsTheTerminalModel)
{
    struct Case {
        u8 emulation, model;
        bool pages;
    } cases[] = {{2, 7, true}, {3, 8, true}, {2, 12, true}, {3, 14, true}, {2, 6, false}, {1, 8, false}};
    for (const Case& c : cases) {
        EmulationId = c.emulation;
        TerminalId = c.model;
        EXPECT_EQ(VtPageModeForModel(), c.pages) << int(c.emulation) << "/" << int(c.model);
    }
    EmulationId = 2;
    TerminalId = 8;
}

TEST_F(HostCommands, TheRepeatGateOpensWhenTheKeyWasTakenEvenWithTheCursorOff)
{
    CursorDisabled = 1;
    const int before = doubles::Ui().repeatGateReleases;
    ShowCursorWhenIdle();
    ShowCursorWhenIdle();
    EXPECT_EQ(doubles::Ui().repeatGateReleases, before + 2);
    CursorDisabled = 0;
}

}  // namespace

// DCS Ps z: the host names a capture file; the data after the name goes to the file
// until the string ends, and text after it shows again.
TEST_F(HostCommands, CaptureSequenceDivertsItsDataToTheFile)
{
    // A diverted byte gives the reader nothing, as an empty line does: read on while
    // bytes last.
    auto FeedAll = [this](const std::string& bytes) {
        Feed(bytes);
        for (int i = 0; i < 100 && !doubles::Network().incoming.empty(); ++i)
            Feed("");
    };
    doubles::Comms().hostCaptureResult = true;
    FeedAll("\x1bP1zlog.txt;unseen data\x1b\\text after");
    ASSERT_EQ(doubles::Comms().hostCaptures.size(), 1u);
    EXPECT_EQ(doubles::Comms().hostCaptures[0].mode, 1);
    EXPECT_EQ(doubles::Comms().hostCaptures[0].name, "log.txt");
    EXPECT_EQ(std::string(doubles::Comms().captured.begin(), doubles::Comms().captured.end()), "unseen data");
    EXPECT_EQ(doubles::Comms().divertingEnds, 1);
    EXPECT_EQ(Row(0), "text after");

    // A capture that cannot start keeps its data off the screen all the same; a NUL
    // ends a name too; a mode other than 0 and 1 opens nothing.
    doubles::ResetHost();
    FeedAll("\x1b[H\x1b[2J\x1bP0z..\\x;hidden\x1b\\shown\x1bP0za" + std::string(1, '\0') + "b\x1b\\" +
            "\x1bP2zname;more\x1b\\ end");
    ASSERT_EQ(doubles::Comms().hostCaptures.size(), 2u);
    EXPECT_EQ(doubles::Comms().hostCaptures[0].name, "..\\x");
    EXPECT_EQ(doubles::Comms().hostCaptures[1].name, "a");
    EXPECT_EQ(Row(0), "shown end");
    EXPECT_TRUE(doubles::Comms().captured.empty());
}
