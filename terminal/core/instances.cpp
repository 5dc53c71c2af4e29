#include "terminal/core/instances.h"

#include "terminal/settings/registry.h"

void InitProfileSelection() {}
void RegisterSessionSlots() {}
void CloseAllSessions() {}

namespace {
constexpr u32 kEnglishUk = 2057;

// Primary language (low 10 bits of a language id) -> language module index.
constexpr struct {
    u32 primaryLanguage;
    i32 index;
} kLanguageModuleByPrimary[] = {
    {12, 1},  // French
    {7, 2},   // German
    {10, 3},  // Spanish
    {16, 4},  // Italian
    {19, 5},  // Dutch
    {20, 6},  // Norwegian
    {29, 7},  // Swedish
    {6, 8},   // Danish
    {11, 9},  // Finnish
    {18, 10}, // Korean
};
}  // namespace

i32 LanguageIndexForLanguageId(u32 languageId)
{
    for (const auto& row : kLanguageModuleByPrimary)
        if (row.primaryLanguage == (languageId & 0x3FF))
            return row.index;
    return 0;
}

i32 LoadSelectedLanguage()
{
    const u32 savedRoot = SettingsRootIsUser();
    u32 languageId = kEnglishUk;
    for (u32 user = 0; user < 2; ++user) {
        SettingsSelectRoot(user);
        HKEY base = SettingsOpenBaseKey();
        // The machine-wide answer is both the current value and the default of the
        // per-user read, so an absent per-user value keeps it whatever KeepCurrentValues.
        languageId = SettingsReadDword(base, VXT("SelectedLanguage"), languageId, languageId);
        SettingsCloseKey(base);
    }
    SettingsSelectRoot(savedRoot);
    return LanguageIndexForLanguageId(languageId);
}
