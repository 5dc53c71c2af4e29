#include "terminal/core/screen/framelock.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "terminal/core/host/attention.h"

namespace {

std::timed_mutex g_lock;
std::atomic<int> g_waiting{0};
thread_local int t_depth = 0;
thread_local bool t_hostHolds = false;

// A frame copies a few rows; one that takes longer than this has lost its turn anyway.
constexpr auto kHandOverLimit = std::chrono::milliseconds(50);

}  // namespace

void HostHoldFrameLock()
{
    if (t_hostHolds)
        return;
    if (t_depth == 0)
        g_lock.lock();
    ++t_depth;
    t_hostHolds = true;
}

void HostReleaseFrameLock()
{
    if (!t_hostHolds)
        return;
    t_hostHolds = false;
    if (--t_depth == 0)
        g_lock.unlock();
}

bool HostHoldsFrameLock()
{
    return t_hostHolds;
}

void HostLetFrameThrough()
{
    if (!t_hostHolds || t_depth != 1 || g_waiting.load(std::memory_order_relaxed) == 0)
        return;
    g_lock.unlock();
    // The lock is not fair: the frame must have taken it before this thread asks again.
    const auto start = std::chrono::steady_clock::now();
    while (g_waiting.load(std::memory_order_acquire) != 0 &&
           std::chrono::steady_clock::now() - start < kHandOverLimit)
        std::this_thread::yield();
    g_lock.lock();
}

FrameLockGuard::FrameLockGuard(u32 timeoutMs)
{
    if (t_depth > 0) {
        ++t_depth;
        held_ = true;
        return;
    }
    g_waiting.fetch_add(1, std::memory_order_acq_rel);
    AttendHostReader(kAttendFrame);
    held_ = g_lock.try_lock_for(std::chrono::milliseconds(timeoutMs));
    g_waiting.fetch_sub(1, std::memory_order_acq_rel);
    if (held_)
        ++t_depth;
}

FrameLockGuard::~FrameLockGuard()
{
    if (held_ && --t_depth == 0)
        g_lock.unlock();
}
