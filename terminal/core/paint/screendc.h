// The screen window's device context, kept for the window's whole life, and the lock
// around everything that draws into it. The host-data thread paints changed rows while
// the user-interface thread handles WM_PAINT and WM_SIZE; the font, colours and clip
// region selected into the context, and the caches that remember them, are shared by
// both, so every painter holds the lock while it touches them.
#pragma once

#include "terminal/core/base/win32.h"

extern HDC ScreenDC;

// Holds the paint lock for its scope. The lock is re-entrant: a painter that calls
// another keeps it. Whoever holds it must not send a message to a window of another
// thread, which may itself be waiting for the lock.
//
// Taking it first applies a merged scroll that is still waiting (screenscroll.h), so
// that nothing is drawn into a picture that has not been moved yet. Only the row
// painter and the scroll itself keep the merged scroll waiting: they know where a row
// lands.
class ScreenPaintGuard {
public:
    enum KeepMergedScroll { kKeepMergedScroll };
    ScreenPaintGuard();
    explicit ScreenPaintGuard(KeepMergedScroll);
    ~ScreenPaintGuard();
    ScreenPaintGuard(const ScreenPaintGuard&) = delete;
    ScreenPaintGuard& operator=(const ScreenPaintGuard&) = delete;
};

// True while the calling thread holds the paint lock.
bool ScreenPaintLockHeldHere();
// How many guards the calling thread holds.
int ScreenPaintLockDepth();
