// The profile's mouse-action table and the program's version stamp in the program key.
#include "terminal/core/session/instances.h"

#include <cctype>
#include <cstdio>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/mouse/mouse.h"
#include "terminal/core/program/startup.h"
#include "terminal/core/base/version.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/registry.h"

u32 HighlightWhenActioned = 1;

namespace {
constexpr u32 kStrVersion = 10100;  // the program's own version text
}  // namespace

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

int MonthNameToNumber(const char* name)
{
    static constexpr const char* kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                              "jul", "aug", "sep", "oct", "nov"};
    if (!name)
        return 12;
    for (int m = 0; m < 11; ++m) {
        int i = 0;
        while (i < 3 && name[i] && std::tolower(static_cast<unsigned char>(name[i])) == kMonths[m][i])
            ++i;
        if (i == 3)
            return m + 1;
    }
    return 12;
}

void WriteVersionStamp()
{
    wchar16 version[16];
    if (LoadProgramString(kStrVersion, version, 16) <= 0)
        return;
    HKEY base = SettingsCreateBaseKey();
    if (!base)
        return;
    wchar16 stored[64] = {};
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 1;
    SettingsReadString(base, VXT("Version"), VXT(""), stored, 64);
    KeepCurrentValues = 0;
    if (CompareStringOrdinal(stored, -1, version, -1, FALSE) != CSTR_EQUAL)
        SettingsWriteString(base, VXT("Version"), version);
    const u32 build = ProgramBuildStamp();
    if (SettingsReadDword(base, VXT("Build"), static_cast<u32>(-1), 0) != build)
        SettingsWriteDword(base, VXT("Build"), build);
    KeepCurrentValues = keep;
    SettingsCloseKey(base);
}
