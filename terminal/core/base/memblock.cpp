#include "terminal/core/base/memblock.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/stringids.h"

namespace {

struct BlockPair {
    void* pointer;
    void* handle;  // what the underlying allocator returned (here the same block)
};

constexpr i32 kGrowStep = 64;

BlockPair* g_table = nullptr;
i32 g_pairs = 0;
i32 g_lowestMaybeFree = 0;  // no free pair below this index
std::atomic<int> g_lockCounter{1};
std::atomic<int> g_injectedFailures{0};
std::atomic<bool> g_injectLockFailure{false};

// The spin lock of the table: decrementing the counter to 0 takes it. Contention is
// brief (the table is only searched under it), so a waiter yields a few times before it
// falls back to the random sleep that keeps two sleepers from waking in step.
void MemTableLock()
{
    for (int attempt = 0;; ++attempt) {
        if (--g_lockCounter == 0)
            return;
        ++g_lockCounter;
        if (attempt < 200) {
            std::this_thread::yield();
        } else {
            thread_local std::minstd_rand rng{std::random_device{}()};
            std::this_thread::sleep_for(std::chrono::milliseconds(rng() % 328));
        }
    }
}

void MemTableUnlock()
{
    // A stray second release finds the counter above 0 and must not raise it further,
    // or two holders would get in. While held, a waiter may have the counter below 0
    // for a moment; the increment still balances its own increment back.
    if (g_lockCounter.load() > 0)
        return;
    ++g_lockCounter;
}

enum class Failure { None, OutOfMemory, LockFailure };

Failure TakeInjectedFailure()
{
    int n = g_injectedFailures.load();
    while (n > 0) {
        if (g_injectedFailures.compare_exchange_weak(n, n - 1))
            return g_injectLockFailure ? Failure::LockFailure : Failure::OutOfMemory;
    }
    return Failure::None;
}

// Grows the table by one step; false when memory ran out (the table is unchanged).
bool GrowTable()
{
    auto* grown = static_cast<BlockPair*>(std::calloc(g_pairs + kGrowStep, sizeof(BlockPair)));
    if (!grown)
        return false;
    if (g_table)
        std::memcpy(grown, g_table, g_pairs * sizeof(BlockPair));
    std::free(g_table);
    g_table = grown;
    g_pairs += kGrowStep;
    return true;
}

}  // namespace

namespace {
void* AllocBlock(std::size_t size, bool report)
{
    MemTableLock();
    i32 index = g_lowestMaybeFree;
    while (index < g_pairs && (g_table[index].pointer || g_table[index].handle))
        ++index;
    if (index == g_pairs && !GrowTable()) {
        MemTableUnlock();
        if (report)
            MessageBoxById(kStrOutOfMemory);
        return nullptr;
    }

    const Failure injected = TakeInjectedFailure();
    void* block = injected == Failure::None ? std::calloc(size ? size : 1, 1) : nullptr;
    if (!block) {
        g_lowestMaybeFree = index;
        // The message box runs a message loop that may allocate again: never show it
        // while the table is locked.
        MemTableUnlock();
        if (report)
            MessageBoxById(injected == Failure::LockFailure ? kStrMemoryLockFailure : kStrOutOfMemory);
        return nullptr;
    }
    g_table[index] = {block, block};
    g_lowestMaybeFree = index + 1;
    MemTableUnlock();
    return block;
}
}  // namespace

void* MemAllocBlock(std::size_t size)
{
    return AllocBlock(size, true);
}

void* MemAllocBlockQuiet(std::size_t size)
{
    return AllocBlock(size, false);
}

void MemFreeBlock(void* block)
{
    if (!block)
        return;
    MemTableLock();
    for (i32 i = 0; i < g_pairs; ++i) {
        if (g_table[i].pointer == block && g_table[i].handle) {
            std::free(g_table[i].handle);
            g_table[i] = {nullptr, nullptr};
            if (i < g_lowestMaybeFree)
                g_lowestMaybeFree = i;
            break;
        }
    }
    MemTableUnlock();
}

void MemFreeAllBlocks()
{
    MemTableLock();
    for (i32 i = 0; i < g_pairs; ++i) {
        if (g_table[i].pointer && g_table[i].handle)
            std::free(g_table[i].handle);
    }
    std::free(g_table);
    g_table = nullptr;
    g_pairs = 0;
    g_lowestMaybeFree = 0;
    MemTableUnlock();
}

MemoryTableInfo MemTableInfo()
{
    MemTableLock();
    MemoryTableInfo info{g_pairs, 0};
    for (i32 i = 0; i < g_pairs; ++i)
        info.liveBlocks += g_table[i].pointer != nullptr;
    MemTableUnlock();
    return info;
}

void MemInjectFailures(int count, bool lockFailure)
{
    g_injectLockFailure = lockFailure;
    g_injectedFailures = count;
}

bool MemTableLocked()
{
    return g_lockCounter.load() <= 0;
}
