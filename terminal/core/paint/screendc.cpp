#include "terminal/core/paint/screendc.h"

#include <mutex>

#include "terminal/core/paint/painting.h"
#include "terminal/core/paint/screenscroll.h"

HDC ScreenDC = nullptr;

namespace {
std::recursive_mutex g_paintLock;
thread_local int g_depth = 0;
}  // namespace

ScreenPaintGuard::ScreenPaintGuard()
{
    g_paintLock.lock();
    ++g_depth;
    if (MergedScrollPending())
        ApplyMergedScroll();
}

ScreenPaintGuard::ScreenPaintGuard(KeepMergedScroll)
{
    g_paintLock.lock();
    ++g_depth;
}

ScreenPaintGuard::~ScreenPaintGuard()
{
    --g_depth;
    g_paintLock.unlock();
}

bool ScreenPaintLockHeldHere()
{
    return g_depth > 0;
}

int ScreenPaintLockDepth()
{
    return g_depth;
}
