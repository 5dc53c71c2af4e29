#include "terminal/comms/printing/printjob.h"

#include <mutex>

#include "terminal/core/base/messagebox.h"

namespace {

std::recursive_mutex g_lock;
// How deep the owning thread holds the lock; only that thread reads or writes it.
thread_local int t_depth = 0;

}  // namespace

PrintLockGuard::PrintLockGuard()
{
    g_lock.lock();
    ++t_depth;
}

PrintLockGuard::~PrintLockGuard()
{
    --t_depth;
    g_lock.unlock();
}

PrintLockRelease::PrintLockRelease() : depth_(t_depth)
{
    for (int i = 0; i < depth_; ++i)
        g_lock.unlock();
    t_depth = 0;
}

PrintLockRelease::~PrintLockRelease()
{
    for (int i = 0; i < depth_; ++i)
        g_lock.lock();
    t_depth = depth_;
}

void ShowPrintMessage(u32 id)
{
    PrintLockRelease release;
    MessageBoxById(id);
}
