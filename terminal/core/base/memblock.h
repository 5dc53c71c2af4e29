// Movable memory blocks: zero-filled buffers that stay in place until freed, recorded
// in one process-wide table so that freeing a pointer the table does not hold (0, a
// block already freed, a pointer from elsewhere) is harmless. Both the user-interface
// thread and the host-data thread allocate and free.
#pragma once

#include "terminal/core/base/vxtypes.h"

// A block of `size` zero bytes, or nullptr after the "Out of Memory" (7100) or
// "Memory Lock Failure" (7113) message box.
void* MemAllocBlock(std::size_t size);
// The same without a message box, for callers that report the failure in their own words.
void* MemAllocBlockQuiet(std::size_t size);

// Gives a block back; anything the table does not hold is ignored.
void MemFreeBlock(void* block);

// Frees every block still registered and the table itself (once, at process exit).
void MemFreeAllBlocks();

// What the table holds, for diagnostics and tests.
struct MemoryTableInfo {
    i32 pairs;       // capacity in pairs (grows by 64)
    i32 liveBlocks;  // pairs in use
};
MemoryTableInfo MemTableInfo();

// Test seam: make the next `count` block allocations fail as if memory ran out
// (`lockFailure` makes them fail as a lock failure instead).
void MemInjectFailures(int count, bool lockFailure = false);

// True while some thread holds the table's lock.
bool MemTableLocked();
