#include "terminal/settings/store/mouseactions.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

const u16 kFactoryMouseActions[kMouseSlots] = {1, 14, 6, 5, 7, 12, 3, 4, 0, 0, 9, 0};
u16 MouseActions[kMouseSlots] = {1, 14, 6, 5, 7, 12, 3, 4, 0, 0, 9, 0};
u32 HighlightWhenActioned = 1;

namespace {

constexpr const wchar16* kMouseValueNames[kMouseSlots] = {
    VXT("Normal"),  VXT("Shift"),  VXT("Control"),  VXT("ControlShift"),  VXT("Alt"),  VXT("DoubleClick"),
    VXT("RNormal"), VXT("RShift"), VXT("RControl"), VXT("RControlShift"), VXT("RAlt"), VXT("RDoubleClick"),
};
constexpr wchar16 kHighlightName[] = VXT("HighlightWhenActioned");
constexpr u32 kActionCount = 16;
constexpr u32 kFirstActionName = 2560;

void ReadMouseActions(HKEY key)
{
    for (int slot = 0; slot < kMouseSlots; ++slot) {
        const u32 action = SettingsReadDword(key, kMouseValueNames[slot], MouseActions[slot],
                                             kFactoryMouseActions[slot]);
        // A code without an action (a damaged value) keeps the factory action.
        MouseActions[slot] = static_cast<u16>(action < kActionCount ? action : kFactoryMouseActions[slot]);
    }
    const u32 highlight = SettingsReadDword(key, kHighlightName, HighlightWhenActioned, 1);
    HighlightWhenActioned = highlight == 0 ? 0 : 1;
}

bool NameIs(const wchar16* name, u32 code)
{
    wchar16 text[64];
    return name && LoadLanguageString(InstanceHandle, kFirstActionName + code, text, 64) > 0 &&
           CompareStringOrdinal(name, -1, text, -1, FALSE) == CSTR_EQUAL;
}

}  // namespace

void LoadMouseActions()
{
    const u32 savedRoot = SettingsRootIsUser();
    const u32 savedKeep = KeepCurrentValues;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        KeepCurrentValues = user;
        HKEY key = SettingsOpenMouseActions(CurrentProfileName());
        ReadMouseActions(key);
        SettingsCloseKey(key);
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}

void SaveMouseActions()
{
    const u32 savedRoot = SettingsRootIsUser();
    SettingsSelectRoot(PerUserProfile);
    SettingsDeleteMouseActions(CurrentProfileName());
    if (HKEY key = SettingsCreateMouseActions(CurrentProfileName())) {
        for (int slot = 0; slot < kMouseSlots; ++slot)
            if (MouseActions[slot] != kFactoryMouseActions[slot])
                SettingsWriteDword(key, kMouseValueNames[slot], MouseActions[slot]);
        if (HighlightWhenActioned != 1)
            SettingsWriteDword(key, kHighlightName, HighlightWhenActioned);
        SettingsCloseKey(key);
    }
    SettingsSelectRoot(savedRoot);
}

bool IsMouseActionName(const wchar16* name)
{
    for (u32 code = 0; code < kActionCount; ++code)
        if (NameIs(name, code))
            return true;
    return false;
}

bool IsHotspotMouseAction(const wchar16* name)
{
    return NameIs(name, 5) || NameIs(name, 6);  // "Show Hotspots", "Action Hotspot"
}

bool IsSendingMouseAction(const wchar16* name)
{
    return NameIs(name, 6) || NameIs(name, 9);  // "Action Hotspot", "Send Keyword"
}
