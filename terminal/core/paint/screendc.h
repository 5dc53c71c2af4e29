// The screen device context: the screen window's off-screen picture (picture.h), kept
// for the window's whole life, and the lock around everything that draws into it or
// copies from it. The frame draws on the user-interface thread; a family with a screen
// of its own may still draw from the host-data thread; the font, colours and clip region
// selected into the context, and the caches that remember them, are shared, so every
// painter holds the lock while it touches them.
#pragma once

#include "terminal/core/base/win32.h"

extern HDC ScreenDC;

// Holds the paint lock for its scope. The lock is re-entrant: a painter that calls
// another keeps it. Whoever holds it must not send a message to a window of another
// thread, which may itself be waiting for the lock, and must not wait for the frame lock
// (framelock.h), which is always taken first.
class ScreenPaintGuard {
public:
    ScreenPaintGuard();
    ~ScreenPaintGuard();
    ScreenPaintGuard(const ScreenPaintGuard&) = delete;
    ScreenPaintGuard& operator=(const ScreenPaintGuard&) = delete;
};

// True while the calling thread holds the paint lock.
bool ScreenPaintLockHeldHere();
