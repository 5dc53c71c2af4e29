// The user-interface side and the host-data thread's waits, as the readers see them;
// the test source is never active in engine tests.
#include "support/doubles_host.h"

#include "support/doubles_network.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/host/testsource.h"
#include "terminal/core/base/uiservices.h"

namespace doubles {
UiDouble& Ui()
{
    static UiDouble u;
    return u;
}

void ResetHost()
{
    Comms() = CommsDouble{};
    Display() = DisplayDouble{};
    Ui() = UiDouble{};
    NetworkDouble& n = Network();
    std::lock_guard<std::mutex> guard(n.lock);
    n.incoming.clear();
    n.lost = false;
    n.sent.clear();
    n.sendCalls.clear();
    n.breaks = 0;
    n.throughTelnet = false;
}
}  // namespace doubles

using doubles::Ui;

// clang-format off
void PostMainCommand(u32 commandId) { Ui().postedCommands.push_back(commandId); }
void SetHostWindowTitle(const wchar16* text, int n)
{
    Ui().hostTitles.emplace_back(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(n));
}
void TakeHostWindowTitle() {}
void PostConnectionRefresh() { ++Ui().connectionRefreshes; }
void RunIdleUpdates() { ++Ui().idleUpdates; }
void ServeViewRequests() { ++Ui().viewServes; }
void RefreshHoldLockIndicator() { ++Ui().holdLockRefreshes; }
void ClearSelectionMarks() { ++Ui().selectionClears; }
void ReleaseKeyRepeatGate() { ++Ui().repeatGateReleases; }
void LockKeyboardTimed(u32 seconds) { Ui().keyboardLocks.push_back(seconds); }
void ShowDecKeyModeField(bool on) { Ui().decKeyField.push_back(on); }
bool StatusLineFeaturePresent() { return Ui().statusLineFeature; }
void ShowStatusBarText(u32 fieldId, u32 stringId) { Ui().statusBarTexts[fieldId] = stringId; }
void PostMainKeyMessage(u32 message, u32 wParam, u32 lParam) { Ui().postedKeys.push_back({message, wParam, lParam}); }

bool HostHoldRequested() { return Ui().held; }
// clang-format on
void HostWaitForInput()
{
    // As the thread's own wait does: frames may read the store meanwhile.
    HostReleaseFrameLock();
    ++Ui().waits;
    if (Ui().onWait)
        Ui().onWait();
    else if (Ui().holdWhenIdle)
        Ui().held = true;
}
void WakeHostReader() {}

// clang-format off
bool TestSourceActive() { return false; }
int TestSourceReadByte() { return -1; }
// clang-format on
void TestSourceSend(const u16*, int) {}
