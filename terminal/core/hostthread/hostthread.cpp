// The host-data thread, its gates and its wait for input.
#include "terminal/core/host/hostthread.h"

#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/threadwait.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/gateevents.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/base/win32.h"

std::atomic<u32> ConnectionLost{0};
HANDLE ActivityEvent = nullptr;
HANDLE SwitchGateEvent = nullptr;
HANDLE ProfileGateEvent = nullptr;
HANDLE KeyRepeatGateEvent = nullptr;

namespace {

constexpr DWORD kStopWaitMs = 10000;
constexpr DWORD kParkPollMs = 50;

HANDLE g_thread = nullptr;
DWORD g_threadId = 0;
int g_priority = THREAD_PRIORITY_NORMAL;
HANDLE g_ended = nullptr;
// Signalled by the thread each time it reports itself parked at a closed gate.
HANDLE g_parked = nullptr;

// Gates closed through HoldHostDataThread (bit per gate): the readers test this word
// between bytes instead of asking the events.
std::atomic<u32> g_heldGates{0};
std::atomic<u32> g_holdGeneration{0};
std::atomic<u32> g_parkedGeneration{0};

HANDLE GateEvent(HostGate gate)
{
    return gate == HostGate::Switch ? SwitchGateEvent : ProfileGateEvent;
}

bool GateClosed(HANDLE gate)
{
    return gate && WaitForSingleObject(gate, 0) == WAIT_TIMEOUT;
}

// Waits while a gate is closed, reporting the parked state until it opens again.
void ParkWhileHeld()
{
    HostReleaseFrameLock();
    while (!QuitRequested && (GateClosed(ProfileGateEvent) || GateClosed(SwitchGateEvent))) {
        g_parkedGeneration = g_holdGeneration.load();
        SetEvent(g_parked);
        HANDLE gates[2];
        DWORD n = 0;
        if (ProfileGateEvent)
            gates[n++] = ProfileGateEvent;
        if (SwitchGateEvent)
            gates[n++] = SwitchGateEvent;
        WaitForMultipleObjects(n, gates, TRUE, kParkPollMs);
    }
}

DWORD WINAPI HostDataThread(void*)
{
    for (;;) {
        if (QuitRequested)
            break;
        try {
            if (g_heldGates)
                ParkWhileHeld();
            if (MenuActive || ModalOpen) {
                // Nothing is processed while a menu or a modal dialog is open; the
                // connection's data waits in its own buffers.
                HostReleaseFrameLock();
                Sleep(100);
                continue;
            }
            if (QuitRequested)
                break;
            if (g_heldGates)
                ParkWhileHeld();
            if (QuitRequested)
                break;
            if (!ProcessHostChar())
                break;
        } catch (...) {
            // A fault inside one emulation's handler must not end the thread.
        }
    }
    HostReleaseFrameLock();
    g_threadId = 0;
    SetEvent(g_ended);
    return 1;
}

}  // namespace

void StartHostDataThread()
{
    if (HostDataThreadRunning())
        return;
    if (g_thread) {
        CloseHandle(g_thread);
        g_thread = nullptr;
    }
    if (!g_parked)
        g_parked = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (g_ended)
        CloseHandle(g_ended);
    g_ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_thread = CreateThread(nullptr, 0, HostDataThread, nullptr, 0, &g_threadId);
    if (g_thread)
        g_priority = GetThreadPriority(g_thread);
}

bool HostDataThreadRunning()
{
    return g_thread && g_ended && WaitForSingleObject(g_ended, 0) == WAIT_TIMEOUT;
}

bool OnHostDataThread()
{
    return g_threadId != 0 && GetCurrentThreadId() == g_threadId;
}

void StopHostDataThread()
{
    QuitRequested = 1;
    // No gate or wait may hold the thread back now.
    for (HANDLE e : {ProfileGateEvent, SwitchGateEvent, ActivityEvent})
        if (e)
            SetEvent(e);
    g_heldGates = 0;
    if (g_thread && g_ended && GetCurrentThreadId() != g_threadId)
        WaitForThreadPumping(g_ended, kStopWaitMs);
    if (g_thread) {
        CloseHandle(g_thread);
        g_thread = nullptr;
    }
    if (g_ended) {
        CloseHandle(g_ended);
        g_ended = nullptr;
    }
}

void LowerHostThreadPriority()
{
    if (g_thread)
        SetThreadPriority(g_thread, THREAD_PRIORITY_BELOW_NORMAL);
}

void RestoreHostThreadPriority()
{
    if (g_thread)
        SetThreadPriority(g_thread, g_priority);
}

void ReapplyKeyboardLock() {}

bool HoldHostDataThread(HostGate gate, u32 timeoutMs)
{
    HANDLE event = GateEvent(gate);
    if (!event)
        return true;
    const u32 generation = ++g_holdGeneration;
    g_heldGates |= static_cast<u32>(gate);
    ResetEvent(event);
    AttendHostReader(kAttendHold);
    if (!HostDataThreadRunning() || GetCurrentThreadId() == g_threadId)
        return true;
    if (ActivityEvent)
        SetEvent(ActivityEvent);
    const DWORD start = GetTickCount();
    while (g_parkedGeneration.load() < generation) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        HANDLE waits[2] = {g_parked, g_ended};
        const DWORD step = timeoutMs - elapsed < kParkPollMs ? timeoutMs - elapsed : kParkPollMs;
        if (WaitForMultipleObjects(2, waits, FALSE, step) == WAIT_OBJECT_0 + 1)
            return true;  // the thread ended
    }
    return true;
}

void ReleaseHostDataThread(HostGate gate)
{
    HANDLE event = GateEvent(gate);
    if (event)
        SetEvent(event);
    g_heldGates &= ~static_cast<u32>(gate);
}

bool HostHoldRequested()
{
    return g_heldGates.load() != 0;
}

void HostWaitForInput()
{
    if (QuitRequested || HostHoldRequested())
        return;
    // Nothing changes the screen while the reader waits: frames may read it meanwhile.
    HostReleaseFrameLock();
    // Any message of the main window (a key among them) and data arriving on the
    // connection end the wait at once.
    HANDLE events[2];
    DWORD n = 0;
    if (ActivityEvent) {
        ResetEvent(ActivityEvent);
        events[n++] = ActivityEvent;
    }
    if (HANDLE received = SocketReadEvent())
        events[n++] = received;
    // A key or a message that came after the sources were read and before the reset
    // above set no event the wait would see: it is served now, not after the timeout.
    // (Taking the bits is safe: the reader asks every source again after the wait.)
    const bool attend = (HostAttention.exchange(0, std::memory_order_acq_rel) &
                         (kAttendInput | kAttendPushBack)) != 0;
    if (!attend) {
        if (n)
            WaitForMultipleObjects(n, events, FALSE, 100);
        else
            Sleep(100);
    }
    HostHoldFrameLock();
}

void WakeHostReader()
{
    // Also seen by a reader about to wait, which resets the event first.
    AttendHostReader(kAttendInput);
    if (ActivityEvent)
        SetEvent(ActivityEvent);
}
