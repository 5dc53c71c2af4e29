#include "terminal/settings/setuppages.h"

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
    return slot >= 0 && slot < kSetupSlots ? g_pages[slot] : nullptr;
}

u16 SetupTemplateOf(int slot)
{
    const SetupPage* page = SetupPageOf(slot);
    return page && page->controls ? page->templateId : 0;
}
