// The request table, the three request exports and the sender thread.
#include "lpr/lprmodule.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "lpr/lprmessages.h"
#include "lpr/lprtransfer.h"

namespace {

constexpr UINT kBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE;

class Guard {
public:
    Guard() { EnterCriticalSection(&g_lpr.lock); }
    ~Guard() { LeaveCriticalSection(&g_lpr.lock); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
};

// The table locked for the life of the object (inside the module lock).
class Table {
public:
    Table() : records_(LprLockTable()) {}
    ~Table() { LprUnlockTable(); }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    LprRequest& operator[](int i) { return records_[i]; }
    bool Has(int i) const { return records_ && i >= 0 && i < g_lpr.records; }

private:
    LprRequest* records_;
};

// A new block of `size` bytes holding the `used` bytes of `old`; the old block is freed.
HGLOBAL ResizeBlock(HGLOBAL old, u32 used, u32 size)
{
    HGLOBAL block = GlobalAlloc(kBlockFlags, size);
    if (!block)
        return nullptr;
    if (old) {
        void* to = GlobalLock(block);
        const void* from = GlobalLock(old);
        if (to && from)
            std::memcpy(to, from, used);
        GlobalUnlock(old);
        GlobalUnlock(block);
        GlobalFree(old);
    }
    return block;
}

HGLOBAL CopyText(const wchar16* text)
{
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar16);
    HGLOBAL block = GlobalAlloc(kBlockFlags, bytes);
    if (void* to = block ? GlobalLock(block) : nullptr) {
        std::memcpy(to, text, bytes);
        GlobalUnlock(block);
    }
    return block;
}

bool Due(const LprRequest& r, u32 now)
{
    return r.state == LprStateQueued || (r.state == LprStateWaitingRetry && LprTickReached(now, r.retryTime));
}

DWORD WINAPI LprSenderThread(void* moduleReference)
{
    g_lpr.senderThreadId = GetCurrentThreadId();
    wchar16 message[LprMessageUnits] = {};
    for (;;) {
        // Due requests go in the order they were closed: table slots are reused, so the
        // slot order says nothing about which job came first.
        std::vector<std::pair<u64, int>> due;
        {
            Guard guard;
            Table table;
            const u32 now = GetTickCount();
            for (int i = 0; i < g_lpr.records; ++i)
                if (Due(table[i], now))
                    due.emplace_back(table[i].queuedOrder, i);
        }
        std::sort(due.begin(), due.end());
        for (const auto& [order, index] : due) {
            LprRequest copy;
            {
                Guard guard;
                if (!g_lpr.senderRunning)
                    break;
                Table table;
                if (!table.Has(index) || table[index].queuedOrder != order || !Due(table[index], GetTickCount()))
                    continue;
                copy = table[index];
                table[index].state = LprStateSending;
            }
            copy.data = static_cast<u8*>(GlobalLock(copy.dataHandle));
            const LprOutcome outcome = LprTransferOverWinsock(copy, index, message);
            GlobalUnlock(copy.dataHandle);
            copy.data = nullptr;

            Guard guard;
            Table table;
            if (outcome == LprOutcome::WaitingRetry) {
                if (copy.errorText)
                    GlobalFree(copy.errorText);
                copy.errorText = CopyText(message);
            }
            table[index] = copy;
            if (outcome != LprOutcome::WaitingRetry)
                LprFreeRequest(table[index]);
        }
        {
            // Deciding to end and clearing the running flag under the lock that
            // CloseLPDRequest takes: a job closed now is either counted here or starts a
            // new sender.
            Guard guard;
            bool inUse = false;
            if (g_lpr.senderRunning) {
                Table table;
                for (int i = 0; i < g_lpr.records && !inUse; ++i)
                    inUse = table[i].state != LprStateFree;
            }
            if (!inUse) {
                g_lpr.senderRunning = false;
                g_lpr.senderThreadId = 0;
                break;
            }
        }
        Sleep(1000);
    }
    // The thread holds its own reference to the module, so an unload while it sends
    // never takes its code away; the reference goes with the thread.
    FreeLibraryAndExitThread(static_cast<HMODULE>(moduleReference), 0);
    return 0;
}

bool StartSender()
{
    HMODULE reference = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LprSenderThread),
                            &reference))
        return false;
    HANDLE thread = CreateThread(nullptr, 0, LprSenderThread, reference, 0, nullptr);
    if (!thread) {
        FreeLibrary(reference);
        return false;
    }
    if (g_lpr.senderThread)
        CloseHandle(g_lpr.senderThread);
    g_lpr.senderThread = thread;
    g_lpr.senderRunning = true;
    return true;
}

}  // namespace

LprRequest* LprLockTable()
{
    return g_lpr.table ? static_cast<LprRequest*>(GlobalLock(g_lpr.table)) : nullptr;
}

void LprUnlockTable()
{
    if (g_lpr.table)
        GlobalUnlock(g_lpr.table);
}

bool LprGrowTable()
{
    const int count = g_lpr.records + LprTableStep;
    const SIZE_T bytes = static_cast<SIZE_T>(count) * sizeof(LprRequest);
    HGLOBAL grown = g_lpr.table ? GlobalReAlloc(g_lpr.table, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT)
                                : GlobalAlloc(kBlockFlags, bytes);
    if (!grown)
        return false;
    g_lpr.table = grown;
    LprRequest* records = static_cast<LprRequest*>(GlobalLock(grown));
    if (!records)
        return false;
    for (int i = g_lpr.records; i < count; ++i)
        LprClearRecord(records[i]);
    GlobalUnlock(grown);
    g_lpr.records = count;
    return true;
}

void LprFreeRequest(LprRequest& r)
{
    if (r.errorText)
        GlobalFree(r.errorText);
    if (r.dataHandle)
        GlobalFree(r.dataHandle);
    if (r.socket != LprNoSocket) {
        const SOCKET s = static_cast<SOCKET>(r.socket);
        if (r.state >= LprStateSending && r.state <= 13) {
            const char abort = static_cast<char>(0x01);
            send(s, &abort, 1, 0);
        }
        if (r.state >= 8 && r.state <= 13) {
            shutdown(s, 1);
            closesocket(s);
        }
    }
    LprClearRecord(r);
}

extern "C" int WINAPI OpenLPDRequest(LPCWSTR host, LPCWSTR queue, LPCWSTR jobName, LPCWSTR user, int number,
                                     int copies, int banner, UINT retries, UINT delay, int debug)
{
    if (!g_lpr.table)
        return -1;
    Guard guard;
    int index = -1;
    {
        Table table;
        for (int i = 0; i < g_lpr.records && index < 0; ++i)
            if (table[i].state == LprStateFree)
                index = i;
    }
    if (index < 0) {
        index = g_lpr.records;
        if (!LprGrowTable())
            return -1;
    }
    LprOpenArguments args = {host, queue, jobName, user, 0, copies, banner, retries, delay, debug};
    Table table;
    if (!table.Has(index))
        return -1;
    LprRequest& r = table[index];
    // A text the protocol cannot carry would reach the daemon as a broken control file
    // or command; the request is refused instead.
    if (!LprOpenRecord(r, args, g_lpr.localHost))
        return -1;
    // Any negative number asks for the module's own: a negative job number has no place
    // in a file name.
    r.jobNumber = number >= 0 ? number : g_lpr.nextJobNumber++;
    r.dataHandle = GlobalAlloc(kBlockFlags, LprFirstDataBlock);
    if (!r.dataHandle) {
        LprClearRecord(r);
        return -1;
    }
    r.dataAllocated = LprFirstDataBlock;
    return index;
}

extern "C" int WINAPI AddLPDData(int index, const BYTE* data, int length)
{
    if (!g_lpr.table)
        return -1;
    if (length < 0 || (length > 0 && !data))
        return 0;
    Guard guard;
    Table table;
    if (!table.Has(index) || table[index].state != LprStateOpen)
        return 0;
    LprRequest& r = table[index];
    const u32 size = LprGrownSize(r.dataAllocated, r.dataUsed, static_cast<u32>(length));
    if (size == 0) {
        LprFreeRequest(r);
        return 0;
    }
    if (size != r.dataAllocated) {
        HGLOBAL grown = ResizeBlock(r.dataHandle, r.dataUsed, size);
        if (!grown) {
            LprFreeRequest(r);
            return 0;
        }
        r.dataHandle = grown;
        r.dataAllocated = size;
    }
    if (length > 0) {
        u8* block = static_cast<u8*>(GlobalLock(r.dataHandle));
        if (!block) {
            LprFreeRequest(r);
            return 0;
        }
        std::memcpy(block + r.dataUsed, data, static_cast<size_t>(length));
        GlobalUnlock(r.dataHandle);
        r.dataUsed += static_cast<u32>(length);
    }
    return 1;
}

extern "C" int WINAPI CloseLPDRequest(int index)
{
    if (!g_lpr.table)
        return -1;
    Guard guard;
    Table table;
    if (!table.Has(index) || table[index].state != LprStateOpen)
        return 0;
    LprRequest& r = table[index];
    r.state = LprStateQueued;
    r.queuedOrder = g_lpr.nextQueuedOrder++;
    if (!g_lpr.senderRunning && !StartSender()) {
        // Not queued after all: a 0 result must not leave a job that goes out later.
        r.state = LprStateOpen;
        return 0;
    }
    return 1;
}
