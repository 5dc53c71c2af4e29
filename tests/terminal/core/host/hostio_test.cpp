// Push-back stacks, the send rules and the receive routine.
#include <algorithm>
#include <atomic>
#include <thread>

#include <optional>

#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/screen/paintsettings.h"
#include "support/doubles_network.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/input/macros/keyevents.h"

namespace {

using Bytes = std::vector<u8>;

struct SendCase {
    const char* name;
    u8 emulation;
    u32 dataBits;
    u32 charSet;
    bool wyse;
    bool asString;  // HostSendString instead of HostSendChar
    std::vector<u16> units;
    Bytes expected;
};

class SendRules : public HostPathTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendRules, ConvertC1AndMaskTo7Bits)
{
    const SendCase& c = GetParam();
    EmulationId = c.emulation;
    DataBitsSetting = c.dataBits;
    PaintSettings.characterMode = c.charSet;
    // The Wyse family sends 8-bit controls as they are.
    std::optional<TestFamily> wyse;
    if (c.wyse)
        wyse.emplace(FamilyHooks{.name = "Wyse", .emulations = EmulationBit(c.emulation), .sendsC1Raw = true});
    if (c.asString) {
        HostSendString(c.units.data(), static_cast<int>(c.units.size()));
    } else {
        for (u16 u : c.units)
            HostSendChar(u);
    }
    EXPECT_EQ(Sent(), c.expected);
    if (c.asString) {
        EXPECT_EQ(SendCalls(), std::vector<int>{static_cast<int>(c.expected.size())}) << "one block per string";
    }
}

const u32 k8Bits = 2, k7Bits = 1;
INSTANTIATE_TEST_SUITE_P(
    Cases, SendRules,
    ::testing::Values(
        SendCase{"Csi7BitVt500", 2, k8Bits, 0, false, false, {0x9B}, {0x1B, 0x5B}},
        SendCase{"Csi8BitVt500", 3, k8Bits, 0, false, false, {0x9B}, {0x9B}},
        SendCase{"Csi8BitVt500SevenDataBits", 3, k7Bits, 0, false, false, {0x9B}, {0x1B, 0x5B}},
        SendCase{"LatinSevenDataBits", 2, k7Bits, 0, false, false, {0xE9}, {0x69}},
        SendCase{"LatinEightDataBits", 2, k8Bits, 0, false, false, {0xE9}, {0xE9}},
        SendCase{"WyseKeepsC1", 8, k8Bits, 0, true, false, {0x9B, 0x85}, {0x9B, 0x85}},
        SendCase{"WyseStringKeepsC1", 8, k8Bits, 0, true, true, {0x41, 0x9B}, {0x41, 0x9B}},
        SendCase{"CodePageCharKeepsC1", 2, k8Bits, 4, false, false, {0x9B}, {0x9B}},
        SendCase{"CodePageSingleUnitKeepsC1", 2, k8Bits, 4, false, true, {0x9B}, {0x9B}},
        SendCase{"CodePageStringConvertsC1", 2, k8Bits, 4, false, true, {0x41, 0x9B}, {0x41, 0x1B, 0x5B}},
        SendCase{"String8BitVt500", 3, k8Bits, 0, false, true, {0x9B, 0x41}, {0x9B, 0x41}},
        SendCase{"StringSevenDataBits", 2, k7Bits, 0, false, true, {0xE9, 0x9B}, {0x69, 0x1B, 0x5B}}),
    [](const ::testing::TestParamInfo<SendCase>& info) { return std::string(info.param.name); });

using HostIo = HostPathTest;

TEST_F(HostIo, LocalModeSendsNothingAndStringsComeBackAsInput)
{
    LocalMode = 1;
    const u16 units[] = {'o', 'k'};
    HostSendChar('x');
    HostSendString(units, 2);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(PopKeyboardInput(), 'o');
    EXPECT_EQ(PopKeyboardInput(), 'k');
    EXPECT_EQ(PopKeyboardInput(), -1);
}

TEST_F(HostIo, SerialLineGetsBytesQueuedAndBlocksWritten)
{
    SocketIndex = kNoSocket;
    doubles::Comms().serialOpen = true;
    const u16 units[] = {'a', 'b', 'c'};
    HostSendRawByte('z');
    HostSendBlock(units, 3);
    EXPECT_EQ(doubles::Comms().serialSent, (Bytes{'z', 'a', 'b', 'c'}));
    EXPECT_EQ(doubles::Comms().serialSendCalls, (std::vector<int>{1, 3}));
}

// ---- push-back stacks ----

struct StackOps {
    const char* name;
    void (*push)(u16);
    int (*pop)();
};

class PushBackStacks : public HostPathTest, public ::testing::WithParamInterface<StackOps> {};

TEST_P(PushBackStacks, KeepTheFirst128AndPopLastInFirstOut)
{
    const StackOps& s = GetParam();
    for (int i = 0; i < 129; ++i)
        s.push(static_cast<u16>(i));
    for (int i = 127; i >= 0; --i)
        ASSERT_EQ(s.pop(), i);
    EXPECT_EQ(s.pop(), -1) << "an empty stack pops -1";
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, PushBackStacks,
    ::testing::Values(StackOps{"Keyboard", PushKeyboardInput, PopKeyboardInput},
                      StackOps{"Host", PushHostByte, PopHostByte},
                      StackOps{"Replay", [](u16 u) { PushReplayByte(static_cast<u8>(u)); }, PopReplayByte},
                      StackOps{"KeyString",
                               [](u16 u) {
                                   static const u16 text[] = {'k'};
                                   if (!KeyStringActive())
                                       StartKeyString(text, 1);
                                   PushBackInputByte(static_cast<u8>(u));
                               },
                               PopKeyStringByte}),
    [](const ::testing::TestParamInfo<StackOps>& info) { return std::string(info.param.name); });

TEST_F(HostIo, PushBackReturnsTheByteToTheSourceItCameFrom)
{
    struct Case {
        const char* name;
        bool modal, replay, keyString, local;
        u8 sendType;
        int (*count)();
    };
    const Case cases[] = {
        {"modal dialog", true, true, true, false, 0, KeyboardStackCount},
        {"replay", false, true, true, false, 0, ReplayStackCount},
        {"key string", false, false, true, false, 0, KeyStringStackCount},
        {"host", false, false, false, false, 0, HostStackCount},
        {"local mode", false, false, false, true, 0, KeyboardStackCount},
        {"local string", false, false, false, false, 2, KeyboardStackCount},
    };
    static const u16 text[] = {'k'};
    for (const Case& c : cases) {
        ClearPushBackStacks();
        ModalOpen = c.modal;
        doubles::Comms().replayOpen = c.replay;
        if (c.keyString)
            StartKeyString(text, 1);
        LocalMode = c.local;
        KeyStringSendType = c.sendType;
        PushBackInputByte('Q');
        EXPECT_EQ(c.count(), 1) << c.name;
        EXPECT_EQ(KeyboardStackCount() + HostStackCount() + ReplayStackCount() + KeyStringStackCount(), 1)
            << c.name;
    }
}

TEST_F(HostIo, KeyboardStackSurvivesConcurrentPushAndPop)
{
    // Key handlers push on the user-interface thread while the host-data thread pops.
    constexpr int kUnits = 20000;
    std::atomic<bool> done{false};
    std::thread pusher([&] {
        for (int u = 1; u <= kUnits;) {
            if (KeyboardStackCount() < kPushBackCapacity)
                PushKeyboardInput(static_cast<u16>(u++));
            else
                std::this_thread::yield();
        }
        done = true;
    });
    std::vector<int> popped;
    while (!done || KeyboardStackCount() > 0) {
        const int u = PopKeyboardInput();
        if (u >= 0)
            popped.push_back(u);
    }
    pusher.join();
    std::sort(popped.begin(), popped.end());
    ASSERT_EQ(popped.size(), static_cast<std::size_t>(kUnits));
    for (int i = 0; i < kUnits; ++i)
        ASSERT_EQ(popped[i], i + 1);
}

TEST_F(HostIo, KeyStringYieldsItsUnitsThenEnds)
{
    static const u16 text[] = {'a', 'b'};
    StartKeyString(text, 2);
    EXPECT_EQ(NextKeyStringUnit(), 'a');
    PushBackInputByte('a');  // a parser gives one back
    EXPECT_EQ(NextKeyStringUnit(), 'a');
    EXPECT_EQ(NextKeyStringUnit(), 'b');
    EXPECT_EQ(NextKeyStringUnit(), -1);
    EXPECT_FALSE(KeyStringActive());
}

// ---- receiving ----

TEST_F(HostIo, InjectedTextIsReadAsReceivedThenTheConnectionAgain)
{
    doubles::Network().incoming.push_back('C');
    InjectHostText("AB");
    EXPECT_EQ(HostReceiveByte(), 0x41);
    EXPECT_EQ(HostReceiveByte(), 0x42);
    EXPECT_EQ(HostReceiveByte(), 'C');
    EXPECT_EQ(HostReceiveByte(), -1);
}

TEST_F(HostIo, ReceivedBytesAreMaskedWithoutEightDataBits)
{
    DataBitsSetting = 1;
    doubles::Network().incoming = {0xE9, 0x9B};
    EXPECT_EQ(HostReceiveByte(), 0x69);
    EXPECT_EQ(HostReceiveByte(), 0x1B);
    EXPECT_EQ(HostReceiveByte(), -1);
}

TEST_F(HostIo, DivertingCaptureTakesBytesUntilAnEscapeEndsIt)
{
    doubles::Comms().captureOpen = true;
    doubles::Comms().diverting = true;
    doubles::Network().incoming = {'a', 'b', 0x1B, 'c'};
    EXPECT_EQ(HostReceiveByte(), -1);
    EXPECT_EQ(HostReceiveByte(), -1);
    EXPECT_EQ(HostReceiveByte(), -1);  // ESC ends the capture (its file closes) and is pushed back
    EXPECT_EQ(HostReceiveByte(), 0x1B);
    EXPECT_EQ(HostReceiveByte(), 'c');
    EXPECT_EQ(doubles::Comms().captured, (Bytes{'a', 'b'}));
    EXPECT_EQ(doubles::Comms().divertingEnds, 1);
}

TEST_F(HostIo, HostCloseRunsTheOnCloseAction)
{
    struct Case {
        u32 action, command;
        std::vector<u32> posted;
        i32 connectionState;
        int loginRestarts;
    };
    // clang-format off
    const Case cases[] = {
        {1, 0, {1008}, 0, 0},  // exit
        {2, 0, {}, 0, 0},      // nothing: the window stays, offline
        {3, 0, {}, 2, 1},      // reconnect through the reader
        {4, 1099, {1099}, 0, 0},
        {4, 0, {1062}, 0, 0},  // no command configured: the host-closed dialog
        {0, 0, {1062}, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        doubles::ResetHost();
        SocketIndex = 7;
        ConnectionStartState = 0;
        Connection.onCloseAction = c.action;
        Connection.onCloseCommand = c.command;
        doubles::Network().lost = true;
        EXPECT_EQ(HostReceiveByte(), -1);
        EXPECT_EQ(SocketIndex, kNoSocket);
        EXPECT_EQ(doubles::Comms().closes, 1);
        EXPECT_EQ(doubles::Ui().connectionRefreshes, 1);
        EXPECT_EQ(doubles::Ui().postedCommands, c.posted) << "action " << c.action;
        EXPECT_EQ(ConnectionStartState, c.connectionState);
        EXPECT_EQ(doubles::Comms().loginStarts, c.loginRestarts);
    }
}

TEST_F(HostIo, UsersDisconnectClosesSilently)
{
    DisconnectRequested = 1;
    Connection.onCloseAction = 1;
    EXPECT_EQ(HostReceiveByte(), -1);
    EXPECT_EQ(SocketIndex, kNoSocket);
    EXPECT_EQ(DisconnectRequested, 0);
    EXPECT_TRUE(doubles::Ui().postedCommands.empty());
}

TEST_F(HostIo, BellIsOnlyRequested)
{
    Feed("\a");
    EXPECT_EQ(BellPending, 1);
}

}  // namespace
