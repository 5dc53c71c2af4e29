// One print request of the LPR client: what the caller opened, the data it appended and
// where the transfer stands. Records live in the module's request table and are copied
// whole between the table and the sender thread, so the record holds no owning C++
// members; the handles in it belong to the platform code.
#pragma once

#include "terminal/core/base/vxtypes.h"

enum LprRequestState : u16 {
    LprStateFree = 0,
    LprStateOpen = 1,
    LprStateQueued = 5,
    LprStateSending = 10,
    LprStateWaitingRetry = 15,
};

// Longest texts a request keeps; longer input is cut, never overrun.
constexpr int LprHostChars = 65;
constexpr int LprQueueChars = 16;
constexpr int LprJobNameChars = 99;
constexpr int LprUserChars = 32;
constexpr int LprClassChars = 31;
// The local host name as gethostname may give it (cut at the first ".").
constexpr int LprLocalHostChars = 64;
// "dfA", a job number of up to 11 characters and the local host name.
constexpr int LprFileNameChars = 3 + 11 + LprLocalHostChars;

constexpr u64 LprNoSocket = ~u64{0};
constexpr u32 LprFirstDataBlock = 1024;
// Data blocks stay below 2 GiB so sizes and counts fit the protocol's and the API's ints.
constexpr u32 LprMaxDataBlock = 0x7FFFFFFF;

struct LprRequest {
    char host[LprHostChars + 1];  // 8-bit: the low byte of each unit given
    wchar16 queue[LprQueueChars + 1];
    u64 socket;       // LprNoSocket when closed
    u16 state;        // LprRequestState
    void* errorText;  // copy of the failure text while waiting to retry
    wchar16 jobName[LprJobNameChars + 1];
    u16 copies;  // kept as given; the protocol use has no copies
    wchar16 user[LprUserChars + 1];
    wchar16 className[LprClassChars + 1];  // always empty
    u16 banner;
    const u8* sendPointer;
    u32 sendLength;
    void* dataHandle;  // movable block holding the print data
    u8* data;          // that block, locked while sending
    u32 dataUsed;
    u32 dataAllocated;
    char dataFileName[LprFileNameChars + 1];
    u32 bytesSent;
    u16 filesLeft;
    i32 jobNumber;  // -1 when free
    u32 retryTime;  // tick count at which a waiting request is due
    u8 debug;
    u32 retriesAndDelay;  // bits 0-3 retries left
    u32 retryDelayMs;     // the whole delay between tries: a 12-bit field would cut 5,000 ms to 904
    u64 queuedOrder;      // close order: queued jobs go out first-closed first
};

struct LprOpenArguments {
    const wchar16* host;
    const wchar16* queue;
    const wchar16* jobName;
    const wchar16* user;
    i32 jobNumber;  // already resolved: the caller's number or the module's counter
    i32 copies;
    i32 banner;
    u32 retries;
    u32 delayMs;
    i32 debug;
};

// Fills a free record as an open request: texts copied and cut to their limits, an empty
// user becomes "root", the retries (4 bits) and the whole delay kept. Returns false, leaving the record free,
// when a text cannot travel in the protocol (see LprRequestFieldsAllowed).
bool LprOpenRecord(LprRequest& r, const LprOpenArguments& a, const char* localHost);

// A record that is free: no text, no data, no socket, job number -1.
void LprClearRecord(LprRequest& r);

// clang-format off
inline u32 LprRetriesLeft(const LprRequest& r) { return r.retriesAndDelay & 0xF; }
inline u32 LprRetryDelay(const LprRequest& r) { return r.retryDelayMs; }
// clang-format on

// The size a data block must grow to so that `length` more bytes fit behind `used`:
// `allocated` when they already fit, else allocated + length + 1,024. 0 when that
// size would pass LprMaxDataBlock.
u32 LprGrownSize(u32 allocated, u32 used, u32 length);

// True when a tick count has reached `due`, across the 49-day wrap of the tick count.
inline bool LprTickReached(u32 now, u32 due)
{
    return static_cast<i32>(now - due) >= 0;
}
