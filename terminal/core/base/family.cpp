#include "terminal/core/base/family.h"

namespace {

// Which family runs each id. Constant-initialised, so registrations made while the
// program's static objects are built find it ready.
std::atomic<const FamilyHooks*> g_byId[kEmulationCount] = {};
std::atomic<const FamilyHooks*> g_active{nullptr};

const FamilyHooks kNoFamily{};

}  // namespace

bool RegisterFamily(const FamilyHooks* family)
{
    if (!family)
        return false;
    bool any = false;
    for (int id = 0; id < kEmulationCount; ++id) {
        if (!(family->emulations & EmulationBit(static_cast<u8>(id))))
            continue;
        const FamilyHooks* none = nullptr;
        any |= g_byId[id].compare_exchange_strong(none, family) || none == family;
    }
    return any;
}

void UnregisterFamily(const FamilyHooks* family)
{
    if (!family)
        return;
    for (auto& slot : g_byId) {
        const FamilyHooks* expected = family;
        slot.compare_exchange_strong(expected, nullptr);
    }
    const FamilyHooks* expected = family;
    g_active.compare_exchange_strong(expected, nullptr);
}

const FamilyHooks* FamilyFor(u8 id)
{
    return id < kEmulationCount ? g_byId[id].load(std::memory_order_acquire) : nullptr;
}

void ForEachFamily(void (*visit)(const FamilyHooks& family))
{
    for (int id = 0; id < kEmulationCount; ++id) {
        const FamilyHooks* family = g_byId[id].load(std::memory_order_acquire);
        if (!family)
            continue;
        // A family that runs several ids is visited at its first one only.
        bool seen = false;
        for (int before = 0; before < id && !seen; ++before)
            seen = g_byId[before].load(std::memory_order_acquire) == family;
        if (!seen)
            visit(*family);
    }
}

const FamilyHooks& ActiveFamily()
{
    if (const FamilyHooks* active = g_active.load(std::memory_order_acquire))
        return *active;
    if (const FamilyHooks* fallback = FamilyFor(kDefaultEmulationId))
        return *fallback;
    return kNoFamily;
}

void SetActiveFamily(const FamilyHooks* family)
{
    g_active.store(family, std::memory_order_release);
}

bool FamilyRuns(u8 id)
{
    const FamilyHooks* family = FamilyFor(id);
    return family && family == &ActiveFamily();
}

u8 GetEmulationFromFlags()
{
    const FamilyHooks& family = ActiveFamily();
    for (u8 id = 0; id < kEmulationCount; ++id)
        if (family.emulations & EmulationBit(id))
            return id;
    return 0;
}

bool VtFamilyRunning()
{
    return GetEmulationFromFlags() == kEmuVt52;
}

bool FamilyWindowTakesKeys()
{
    auto takes = ActiveFamily().windowTakesKeys;
    return takes && takes();
}

bool FamilyPaintingHeld()
{
    const DisplayHooks* display = ActiveFamily().display;
    return display && display->paintingHeld && display->paintingHeld();
}
