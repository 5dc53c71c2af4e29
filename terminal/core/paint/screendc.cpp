#include "terminal/core/paint/screendc.h"

#include <mutex>

#include "terminal/core/base/family.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/frame.h"

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
    // A family with a screen of its own may draw into the picture outside a frame: the
    // next frame then shows the whole picture.
    if (--g_depth == 0 && !ComposingFrame() && ActiveFamily().display)
        DamagePictureTouched();
    g_paintLock.unlock();
}

bool ScreenPaintLockHeldHere()
{
    return g_depth > 0;
}
