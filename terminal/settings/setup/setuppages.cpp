#include "terminal/settings/setup/setuppages.h"

#include "terminal/core/base/family.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {
const SetupPage* g_pages[kSetupSlots] = {};
}  // namespace

void RegisterSetupPage(int slot, const SetupPage* page)
{
    if (slot >= 0 && slot < kSetupSlots)
        g_pages[slot] = page;
}

const SetupPage* SetupPageOf(int slot)
{
    if (slot < 0 || slot >= kSetupSlots)
        return nullptr;
    if (g_pages[slot])
        return g_pages[slot];
    // A family's own page.
    static int wanted;
    static const SetupPage* found;
    wanted = slot;
    found = nullptr;
    ForEachFamily([](const FamilyHooks& family) {
        for (int i = 0; family.setup && !found && i < family.setup->pageCount; ++i)
            if (family.setup->pages[i].slot == wanted)
                found = family.setup->pages[i].page;
    });
    return found;
}

bool FamilyHasSetupPage(u8 emulation, int slot)
{
    const FamilyHooks* family = FamilyFor(emulation);
    for (int i = 0; family && family->setup && i < family->setup->pageCount; ++i)
        if (family->setup->pages[i].slot == slot)
            return true;
    return false;
}

u16 SetupTemplateOf(int slot)
{
    const SetupPage* page = SetupPageOf(slot);
    return page && page->controls ? page->templateId : 0;
}
