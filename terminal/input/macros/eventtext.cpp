#include "terminal/input/macros/eventtext.h"

#include <cstring>
#include <mutex>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/base/memblock.h"
#include "terminal/input/macros/keyevents.h"

namespace {

// More slots than the ring has places: every waiting event, the text being typed and
// the pieces a macro is broken into can each hold one.
constexpr int kSlots = 4096;

struct Slot {
    wchar16* text = nullptr;
    int length = 0;
    u16 generation = 0;
    TextOrigin origin = TextOrigin::Host;
};

std::mutex g_lock;
Slot g_slots[kSlots];
int g_live = 0;
u16 g_nextGeneration = 1;

// The handle of slot i: the generation in the high half tells a freed and reused slot
// from the one an old event named. 0 is never a handle.
u32 Handle(int i)
{
    return HandleOf(g_slots[i].generation, static_cast<u16>(i));
}

Slot* Find(u32 handle)
{
    const int i = HandleLow(handle);
    const u16 generation = HandleHigh(handle);
    if (handle == 0 || i >= kSlots || generation == 0)
        return nullptr;
    Slot& s = g_slots[i];
    return s.text && s.generation == generation ? &s : nullptr;
}

}  // namespace

u32 StoreEventText(const wchar16* text, int length, TextOrigin origin)
{
    if (length < 0 || (length > 0 && !text))
        return 0;
    auto* copy = static_cast<wchar16*>(MemAllocBlock((static_cast<std::size_t>(length) + 1) * sizeof(wchar16)));
    if (!copy)
        return 0;
    if (length > 0)
        std::memcpy(copy, text, static_cast<std::size_t>(length) * sizeof(wchar16));
    copy[length] = 0;
    std::lock_guard<std::mutex> guard(g_lock);
    for (int i = 0; i < kSlots; ++i) {
        Slot& s = g_slots[i];
        if (s.text)
            continue;
        s.text = copy;
        s.length = length;
        s.origin = origin;
        s.generation = g_nextGeneration;
        g_nextGeneration = static_cast<u16>(g_nextGeneration == 0xFFFF ? 1 : g_nextGeneration + 1);
        ++g_live;
        return Handle(i);
    }
    MemFreeBlock(copy);
    return 0;
}

const wchar16* EventText(u32 handle, int* length, TextOrigin* origin)
{
    std::lock_guard<std::mutex> guard(g_lock);
    const Slot* s = Find(handle);
    if (!s)
        return nullptr;
    if (length)
        *length = s->length;
    if (origin)
        *origin = s->origin;
    return s->text;
}

void FreeEventText(u32 handle)
{
    wchar16* text = nullptr;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        Slot* s = Find(handle);
        if (!s)
            return;
        text = s->text;
        s->text = nullptr;
        s->length = 0;
        --g_live;
    }
    MemFreeBlock(text);
}

void FreeAllEventTexts()
{
    for (int i = 0; i < kSlots; ++i) {
        wchar16* text = nullptr;
        {
            std::lock_guard<std::mutex> guard(g_lock);
            text = g_slots[i].text;
            g_slots[i].text = nullptr;
            g_slots[i].length = 0;
        }
        if (text)
            MemFreeBlock(text);
    }
    std::lock_guard<std::mutex> guard(g_lock);
    g_live = 0;
}

int LiveEventTexts()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_live;
}

namespace {

bool MayCarry(int type, TextOrigin origin)
{
    if (type < 4 || type > 12)
        return false;
    return origin == TextOrigin::User || (type != 10 && type != 12);
}

bool StringEvent(const wchar16* text, int type, int length, TextOrigin origin, bool front)
{
    if (!MayCarry(type, origin))
        return false;
    const u32 handle = StoreEventText(text, length, origin);
    if (!handle) {
        RequestBell();
        return false;
    }
    return front ? PushInputEventFront(type, HandleHigh(handle), HandleLow(handle))
                 : QueueInputEvent(type, HandleHigh(handle), HandleLow(handle));
}

}  // namespace

bool QueueStringEvent(const wchar16* text, int type, int length, TextOrigin origin)
{
    return StringEvent(text, type, length, origin, false);
}

bool QueueStringEventZ(const wchar16* text, int type, TextOrigin origin)
{
    return QueueStringEvent(text, type, static_cast<int>(TextLength(text)), origin);
}

bool PushStringEventFront(const wchar16* text, int type, int length, TextOrigin origin)
{
    return StringEvent(text, type, length, origin, true);
}
