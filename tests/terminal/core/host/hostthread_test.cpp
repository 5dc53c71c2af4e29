// The host-data thread under Wine: start and stop, the gate handshake, the menu hold,
// the exception guard, and panning the view while host data scrolls. Bytes are given
// to it through the host push-back stack and the injected host text.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "terminal/core/base/uiservices.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/gateevents.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/core/testfamily.h"

namespace {

std::mutex g_lock;
std::vector<int> g_seen;
std::atomic<int> g_calls{0};
std::atomic<bool> g_block{false};
std::atomic<bool> g_throw{false};

// A stand-in emulation with its own reader: it takes the host stack and records.
const FamilyHooks kOwnReader{
    .name = "own reader",
    .emulations = EmulationBit(kEmuHp70092),
    .readByte =
        [] {
            const int b = PopHostByte();
            if (b < 0)
                Sleep(5);
            return b;
        },
    .processChar =
        [](int v) {
            ++g_calls;
            if (v < 0)
                return;
            while (g_block)
                Sleep(5);
            if (g_throw.exchange(false))
                throw std::runtime_error("fault in an emulation");
            std::lock_guard<std::mutex> guard(g_lock);
            g_seen.push_back(v);
        },
};

// One that never runs out of bytes.
const FamilyHooks kEndless{
    .name = "endless",
    .emulations = EmulationBit(kEmuHp70092),
    .readByte = [] { return int('x'); },
    .processChar = [](int) { ++g_calls; },
};

// The built family of the stand-ins' emulation steps aside while they run.
std::optional<FreedEmulations> g_freed;

void ClearFamily()
{
    UnregisterFamily(&kOwnReader);
    UnregisterFamily(&kEndless);
    g_freed.reset();
    SetActiveFamily(nullptr);
    EmulationId = 2;
}

void Install(const FamilyHooks& family)
{
    if (!g_freed)
        g_freed.emplace(family.emulations);
    RegisterFamily(&family);
    SetActiveFamily(&family);
    EmulationId = kEmuHp70092;
}

void InstallFamily()
{
    Install(kOwnReader);
}

std::vector<int> Seen()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_seen;
}

template <typename Pred>
bool WaitFor(Pred pred, int ms = 3000)
{
    for (int i = 0; i < ms / 10; ++i) {
        if (pred())
            return true;
        Sleep(10);
    }
    return pred();
}

std::string RowText(int slot)
{
    std::string s;
    for (int c = 0; c < 10; ++c)
        s.push_back(static_cast<char>(LineAt(slot)->cells[c].ch));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string Row0()
{
    return RowText(0);
}

// Runs `look` while the host-data thread is parked, so that it reads a store at rest.
template <typename Look>
auto WhileHeld(Look look)
{
    EXPECT_TRUE(HoldHostDataThread(HostGate::Switch, 10000));
    auto result = look();
    ReleaseHostDataThread(HostGate::Switch);
    return result;
}

class HostThread : public ::testing::Test {
protected:
    void SetUp() override
    {
        QuitRequested = 0;
        MenuActive = 0;
        ModalOpen = 0;
        ActivityEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
        SwitchGateEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
        ProfileGateEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
        ASSERT_TRUE(AllocScreenStore());
        ASSERT_TRUE(AllocInputQueues());
        ASSERT_TRUE(InitialiseTerminal(1));
        ClearFamily();
        g_seen.clear();
        g_calls = 0;
        g_block = g_throw = false;
    }
    void TearDown() override
    {
        g_block = false;
        StopHostDataThread();
        ClearFamily();
        ClearPushBackStacks();
        FreeScreenLines();
        FreeScreenTable();
        CloseGateEvents();
        QuitRequested = 0;
    }
};

TEST_F(HostThread, RunsUntilStoppedAndASecondStartIsHarmless)
{
    StartHostDataThread();
    ASSERT_TRUE(HostDataThreadRunning());
    PushHostByte('b');
    PushHostByte('a');
    StartHostDataThread();
    ASSERT_TRUE(WaitFor([] { return Row0() == "ab"; })) << Row0();
    StopHostDataThread();
    EXPECT_FALSE(HostDataThreadRunning());
    EXPECT_EQ(Row0(), "ab") << "each byte processed once";
}

TEST_F(HostThread, HeldThreadParksAndTheNewEmulationGetsTheWaitingByte)
{
    StartHostDataThread();
    ASSERT_TRUE(HoldHostDataThread(HostGate::Switch, 2000));
    PushHostByte('z');
    InstallFamily();  // the switch changes the emulation while the thread is parked
    Sleep(300);
    EXPECT_TRUE(Seen().empty()) << "nothing is processed while the gate is closed";
    ReleaseHostDataThread(HostGate::Switch);
    ASSERT_TRUE(WaitFor([] { return !Seen().empty(); }));
    EXPECT_EQ(Seen(), std::vector<int>{'z'});
    EXPECT_EQ(Row0(), "") << "the old emulation never saw it";
}

TEST_F(HostThread, HoldGivesUpAfterItsBoundWhenTheThreadIsBusy)
{
    InstallFamily();
    StartHostDataThread();
    g_block = true;
    PushHostByte('q');
    ASSERT_TRUE(WaitFor([] { return g_calls.load() > 0; }));
    EXPECT_FALSE(HoldHostDataThread(HostGate::Profile, 200));
    g_block = false;
    ASSERT_TRUE(WaitFor([] { return !Seen().empty(); }));
    EXPECT_TRUE(HoldHostDataThread(HostGate::Profile, 2000)) << "it parks once the handler returns";
    ReleaseHostDataThread(HostGate::Profile);
}

TEST_F(HostThread, NothingIsProcessedWhileAMenuIsOpen)
{
    StartHostDataThread();
    PushHostByte('a');
    ASSERT_TRUE(WaitFor([] { return Row0() == "a"; })) << "the reader is idle now";
    MenuActive = 1;
    PushHostByte('m');
    Sleep(300);
    EXPECT_EQ(Row0(), "a");
    MenuActive = 0;
    EXPECT_TRUE(WaitFor([] { return Row0() == "am"; }));
}

TEST_F(HostThread, AFaultInAHandlerDoesNotEndTheThread)
{
    InstallFamily();
    g_throw = true;
    StartHostDataThread();
    PushHostByte('2');
    PushHostByte('1');
    ASSERT_TRUE(WaitFor([] { return !Seen().empty(); }));
    EXPECT_EQ(Seen(), std::vector<int>{'2'}) << "the first byte's handler threw";
    EXPECT_TRUE(HostDataThreadRunning());
}

TEST_F(HostThread, StopEndsAThreadThatNeverRunsOutOfBytes)
{
    Install(kEndless);
    StartHostDataThread();
    ASSERT_TRUE(WaitFor([] { return g_calls.load() > 1000; }));
    StopHostDataThread();
    EXPECT_FALSE(HostDataThreadRunning());
}

// The user scrolls back with the bar and the wheel while the host writes thousands of
// lines. Both move the line pointers of the same table; done on two threads at once
// they lose or double lines. Afterwards every record is in the table once, and the
// history and the screen hold the host's lines in order.
TEST_F(HostThread, PanningWhileHostDataScrollsKeepsTheStoreWhole)
{
    // Enough lines that the host is still writing when this thread first gets a turn,
    // also on two busy cores.
    constexpr int kLines = 8000;
    static std::string text;
    text.clear();
    for (int n = 1; n <= kLines; ++n) {
        char line[16];
        std::snprintf(line, sizeof line, "line %04d\r\n", n);
        text += line;
    }
    // Both threads paint what they move, into a canvas standing in for the window.
    DibCanvas canvas(80 * 9, 25 * 17);
    ASSERT_TRUE(SetCellSize(9, 17));
    InjectHostText(text.c_str());
    StartHostDataThread();
    int rounds = 0;
    // Each pan repaints the screen, and so does the host's next byte that brings the
    // view back: a few pans at a time keep the host moving.
    while (WhileHeld([] { return InjectedTextPending(); })) {
        PanHistoryView(rounds % 2 ? -3 : 3);
        DispatchScrollBarCommand(rounds % 3 ? SB_LINEUP : SB_PAGEDOWN, 0);
        if (rounds % 10 == 0)
            DispatchScrollBarCommand(SB_THUMBPOSITION, 0);
        ++rounds;
    }
    ASSERT_GT(rounds, 0) << "the host wrote everything before the first pan";

    // The pans still reach the store once the host is quiet: to the oldest line, back.
    DispatchScrollBarCommand(SB_THUMBPOSITION, 0);
    EXPECT_TRUE(WaitFor([] { return WhileHeld([] { return Screen.historyCount == 0; }); }, 20000));
    PanHistoryView(-kMaxLineCount);
    ASSERT_TRUE(
        WaitFor([] { return WhileHeld([] { return Screen.historyCount == Screen.historyTarget; }); }, 20000));
    StopHostDataThread();

    std::set<const ScreenLineRecord*> records;
    for (int slot = 0; slot < Screen.lineCount; ++slot)
        records.insert(LineAt(slot));
    EXPECT_EQ(static_cast<int>(records.size()), Screen.lineCount) << "a line record is in the table twice";
    // The oldest kept line first: history slots, then the screen; the cursor's row is
    // the blank one after the last line.
    std::vector<int> order;
    // The newest history line is in the last slot.
    for (int slot = Screen.lineCount - Screen.historyCount; slot < Screen.lineCount; ++slot)
        order.push_back(slot);
    for (int row = 0; row < Screen.cursorRow; ++row)
        order.push_back(row);
    ASSERT_FALSE(order.empty());
    int expected = kLines - static_cast<int>(order.size()) + 1;
    for (int slot : order) {
        char want[16];
        std::snprintf(want, sizeof want, "line %04d", expected++);
        ASSERT_EQ(RowText(slot), want) << "slot " << slot;
    }
    EXPECT_EQ(RowText(Screen.cursorRow), "");
}

}  // namespace
