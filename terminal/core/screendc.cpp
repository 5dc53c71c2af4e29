#include "terminal/core/screendc.h"

#include <mutex>

HDC ScreenDC = nullptr;

namespace {
std::recursive_mutex g_paintLock;
thread_local int g_depth = 0;
}  // namespace

ScreenPaintGuard::ScreenPaintGuard()
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
