// The generic reader: keyboard routing and batching, the out-of-band results, the
// per-byte dispatcher and the view catch-up.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/testfamily.h"
#include "support/doubles_network.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/controls/controls.h"

namespace {

using HostRead = HostPathTest;

TEST_F(HostRead, TypedCharactersLeaveInBlocksOf256)
{
    Type(std::string(300, 'x'));
    Feed("");
    EXPECT_EQ(SendCalls(), (std::vector<int>{256, 44}));
    EXPECT_EQ(Sent(), std::vector<u8>(300, 'x'));
    EXPECT_EQ(Row(0), "") << "without echo nothing is shown";
}

TEST_F(HostRead, TransmitPacingSendsEachTypedByteAtOnce)
{
    doubles::Comms().transmitPacing = true;
    Type("abc");
    Feed("");
    EXPECT_EQ(SendCalls(), (std::vector<int>{1, 1, 1}));
}

TEST_F(HostRead, LocalEchoSendsAndShows)
{
    LocalEcho = 1;
    Type("hi");
    Feed("");
    EXPECT_EQ(Sent(), (std::vector<u8>{'h', 'i'}));
    EXPECT_EQ(Row(0), "hi");
}

TEST_F(HostRead, LocalModeShowsTypedBytesAndSendsNothing)
{
    LocalMode = 1;
    Type("ok\x1b[1;7mz");  // in local mode the keyboard is the host: sequences too
    Feed("");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Row(0), "okz");
    EXPECT_EQ(CsiParameters.slots[2].value, 7);
}

TEST_F(HostRead, EchoedKeysWaitUntilTheHostsSequenceEnds)
{
    LocalEcho = 1;
    // The host's CSI arrives in two pieces; a key is typed in between.
    int wait = 0;
    doubles::Ui().onWait = [&] {
        if (++wait == 1) {
            Type("x");
            doubles::Network().incoming.push_back('m');
        } else {
            doubles::Ui().held = true;
        }
    };
    Feed("\x1b[12");
    EXPECT_EQ(Row(0), "x") << "the key is echoed after the sequence, not inside it";
    EXPECT_EQ(CsiParameters.slots[1].value, 12);
    EXPECT_EQ(CsiParameters.currentByte, 'm');
    EXPECT_EQ(Sent(), std::vector<u8>{'x'});
}

TEST_F(HostRead, PansAskedForMeanwhileWaitUntilTheHostsSequenceEnds)
{
    // The user scrolls while the host's CSI is cut in two: the pan runs after it.
    int servedInside = -1;
    int wait = 0;
    doubles::Ui().onWait = [&] {
        if (++wait == 1) {
            servedInside = doubles::Ui().viewServes;
            doubles::Network().incoming.push_back('m');
        } else {
            doubles::Ui().held = true;
        }
    };
    doubles::Network().incoming = {0x1B, '['};
    EXPECT_EQ(ProcessHostChar(), 1);
    EXPECT_EQ(CsiParameters.currentByte, 'm');
    EXPECT_EQ(servedInside, 1) << "served where a key would be taken, then not inside the sequence";
    ProcessHostChar();
    EXPECT_EQ(doubles::Ui().viewServes, 2) << "served again once it ended";
}

TEST_F(HostRead, StopEndsASequenceReaderInsteadOfFeedingIt)
{
    // Stopping mid-sequence used to come back as 0x7F once masked to 7 bits.
    doubles::Ui().onWait = [] { QuitRequested = 1; };
    doubles::Network().incoming = {0x1B, '[', '1'};
    EXPECT_EQ(ProcessHostChar(), 0);
    EXPECT_EQ(InSequence, 0);
    QuitRequested = 0;
    doubles::Ui().onWait = [] { QuitRequested = 1; };
    SkipToNextEscape();  // would wait for an ESC for ever
    EXPECT_EQ(HostReadByte(), kReadStop);
}

TEST_F(HostRead, NulIsDataAndHandOverIsNot)
{
    doubles::Network().incoming = {0x00};
    EXPECT_EQ(HostReadByte(), 0x00);
    // An emulation that reads for itself.
    TestFamily own(FamilyHooks{.emulations = EmulationBit(kEmuWy50), .readByte = [] { return -1; }});
    EmulationId = kEmuWy50;
    EXPECT_EQ(HostReadByte(), kReadHandOver);
    doubles::Network().incoming = {'A'};
    EXPECT_EQ(ProcessHostChar(), 1);
    EXPECT_EQ(Row(0), "") << "nothing is processed by the generic path after a hand-over";
}

TEST_F(HostRead, ControlsInsideASequenceAreExecutedAndNulIgnored)
{
    Feed(std::string("ab\x1b[1\x00\x08"
                     "2m",
                     9));
    EXPECT_EQ(CsiParameters.slots[1].value, 12);
    EXPECT_EQ(Screen.cursorColumn, 1) << "BS inside the sequence moved the cursor";
}

TEST_F(HostRead, AHoldEndsTheReaderAndTheSequence)
{
    doubles::Ui().held = true;
    doubles::Network().incoming = {'A'};
    EXPECT_EQ(HostReadByte(), kReadHeld);
    doubles::Ui().held = false;
    Feed("\x1b[4");  // the feed runs dry: the double holds the reader mid-sequence
    EXPECT_EQ(InSequence, 0);
    Feed("A");
    EXPECT_EQ(Row(0), "AA") << "the byte left at the hold, then one that is no final byte";
}

TEST_F(HostRead, ReplayComesFirstUnlessOutputIsHeld)
{
    doubles::Comms().replayOpen = true;
    doubles::Comms().replay = {'r'};
    doubles::Network().incoming = {'h'};
    OutputHeld = 1;
    EXPECT_EQ(HostReadByte(), kReadHeld) << "held output reads nothing";
    OutputHeld = 0;
    doubles::Ui().held = false;
    EXPECT_EQ(HostReadByte(), 'r');
    EXPECT_EQ(HostReadByte(), 'h');
}

TEST_F(HostRead, ConnectRequestIsStartedOnceByTheReader)
{
    SocketIndex = kNoSocket;
    ConnectionStartState = 2;
    EXPECT_EQ(HostReadByte(), kReadHeld);
    EXPECT_EQ(doubles::Comms().connectStarts, 1);
    EXPECT_EQ(ConnectionStartState, 0) << "a failed start goes back to idle";
    EXPECT_GE(doubles::Ui().waits, 1) << "the reader waits instead of spinning";
}

TEST_F(HostRead, PagedBackViewReturnsBeforeTheNextByte)
{
    for (int i = 0; i < 40; ++i)
        Feed("line " + std::to_string(i) + "\r\n");
    ASSERT_EQ(Screen.historyCount, 17);
    PanViewUp(5);
    EXPECT_EQ(Screen.historyCount, 12);
    EXPECT_EQ(Row(0), "line 12");
    Feed("X");
    EXPECT_EQ(Screen.historyCount, 17);
    EXPECT_EQ(Row(22), "line 39");
    EXPECT_EQ(Row(23), "X");
}

TEST_F(HostRead, TheRunningFamilysReaderAndEntryTakeTheBytes)
{
    static std::vector<std::string> calls;
    calls.clear();
    {
        TestFamily tvi(FamilyHooks{
            .emulations = EmulationBit(kEmuTvi955) | EmulationBit(kEmuTvi950),
            .readByte =
                [] {
                    calls.push_back("tvi read");
                    return int('T');
                },
            .processChar = [](int v) { calls.push_back(std::string("tvi ") + char(v)); },
        });
        EmulationId = kEmuTvi955;
        EXPECT_EQ(ProcessHostChar(), 1);
        EXPECT_EQ(calls, (std::vector<std::string>{"tvi read", "tvi T"}));
        // A byte read for an emulation the family no longer runs is not processed.
        EmulationId = kEmuVt100;
        EXPECT_EQ(ProcessHostChar(), 1);
        EXPECT_EQ(calls.back(), "tvi read");
    }
    TestFamily records(FamilyHooks{
        .emulations = EmulationBit(kEmuIbm5250),
        .commLoop =
            [](int) {
                calls.push_back("5250 loop");
                return -1;
            },
    });
    EmulationId = kEmuIbm5250;
    EXPECT_EQ(ProcessHostChar(), 0) << "the 5250 loop's -1 ends the thread";
    EXPECT_EQ(calls.back(), "5250 loop");
}

// A family that runs typed bytes through its own parser: each byte it takes and whether
// it came from the keyboard; after an ESC it reads one more byte of the sequence.
std::vector<std::string> g_taken;
void TakeByte(int v)
{
    if (v < 0)
        return;
    g_taken.push_back(std::string(1, static_cast<char>(v)) + (CameFromKeyboard ? "k" : "h"));
    if (v == 0x1B) {
        const int next = HostReadSequenceByte();
        g_taken.push_back(next < 0 ? std::string("stop")
                                   : std::string(1, static_cast<char>(next)) + (CameFromKeyboard ? "k" : "h"));
    }
}

TEST_F(HostRead, ATypedSequenceIsReadOnFromTheKeyboard)
{
    g_taken.clear();
    TestFamily local(FamilyHooks{.emulations = EmulationBit(kEmuWy50),
                                 .processChar = TakeByte,
                                 .typingStaysLocal = [] { return true; }});
    EmulationId = kEmuWy50;
    Type("\x1b"
         "A");
    Feed("Z\x1b"
         "B");
    EXPECT_EQ(g_taken, (std::vector<std::string>{"\x1bk", "Ak", "Zh", "\x1bh", "Bh"}))
        << "the key's sequence is finished by the key, the host's by the host";
    EXPECT_TRUE(Sent().empty());
}

TEST_F(HostRead, AFamilyThatEchoesSendsTypedBytesAndTakesThemAsTyped)
{
    g_taken.clear();
    TestFamily echoing(FamilyHooks{.emulations = EmulationBit(kEmuWy50),
                                   .processChar = TakeByte,
                                   .typingEchoes = [] { return true; }});
    EmulationId = kEmuWy50;
    Type("x");
    Feed("y");
    EXPECT_EQ(Sent(), std::vector<u8>{'x'});
    EXPECT_EQ(g_taken, (std::vector<std::string>{"xk", "yh"}));
}

TEST_F(HostRead, KeyboardLockIsReportedOnChangeOnly)
{
    SetKeyboardLocked(true);
    SetKeyboardLocked(true);
    SetKeyboardLocked(false);
    EXPECT_EQ(doubles::Ui().holdLockRefreshes, 2);
    EXPECT_EQ(doubles::Ui().selectionClears, 1) << "unlocking clears the selection";
}

}  // namespace
