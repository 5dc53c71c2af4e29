// The frame lock: the screen store is changed by the host-data thread and read for each
// frame by the user-interface thread (paint/frame.h). The host-data thread holds the
// lock while it takes in host data and lets it go whenever it waits, so the store is
// never read halfway through a change (a row one line off while the line pointers
// rotate); between runs of received bytes it lets a waiting frame through. The
// user-interface thread takes it only for as long as it copies the rows it paints, and
// never without a time limit: the host-data thread may be waiting for it in turn (a
// message box, a blocked send), and a frame that cannot have the lock is drawn later.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The host-data thread's side. Holding is idempotent; release does nothing when the
// thread does not hold it.
void HostHoldFrameLock();
void HostReleaseFrameLock();
// When a frame waits for the lock: lets it go by and takes the lock again.
void HostLetFrameThrough();
bool HostHoldsFrameLock();

// The reader of the store for a frame (or any other reader off the host-data thread).
// A thread that already holds the lock (a test that runs the host path itself) has it at
// once.
class FrameLockGuard {
public:
    explicit FrameLockGuard(u32 timeoutMs);
    ~FrameLockGuard();
    bool Held() const { return held_; }
    FrameLockGuard(const FrameLockGuard&) = delete;
    FrameLockGuard& operator=(const FrameLockGuard&) = delete;

private:
    bool held_ = false;
};
