// Module-wide state of lprspool and the operations its files share.
#pragma once

#include "terminal/core/base/win32.h"
#include <winsock.h>

#include <atomic>

#include "lpr/lprrequest.h"
#include "lpr/lprtransfer.h"

struct LprModule {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;                        // from InitLPD: parent of the debug window
    char localHost[LprLocalHostChars + 1] = {};  // cut at the first "."
    bool socketsStarted = false;

    // One lock guards the table, its size, the job and close counters and the sender's
    // running flag, so the table never moves under the sender and a job closed while the
    // sender decides to end is either seen by it or starts a new sender.
    CRITICAL_SECTION lock;
    HGLOBAL table = nullptr;
    int records = 0;
    i32 nextJobNumber = 1;
    u64 nextQueuedOrder = 1;
    bool senderRunning = false;
    HANDLE senderThread = nullptr;
    std::atomic<DWORD> senderThreadId{0};  // nonzero while the sender lives
};

extern LprModule g_lpr;

constexpr int LprTableStep = 5;

// Load and unload. LprShutdown at process exit only marks the module down: the other
// threads are gone and nothing may be waited for.
bool LprStartup(HINSTANCE instance);
void LprShutdown(bool processExit);

// The request table (caller holds g_lpr.lock for all of these).
LprRequest* LprLockTable();
void LprUnlockTable();
bool LprGrowTable();
void LprFreeRequest(LprRequest& r);

// One transfer of a request copy over Windows Sockets (sender thread).
LprOutcome LprTransferOverWinsock(LprRequest& r, int index, wchar16* message);
