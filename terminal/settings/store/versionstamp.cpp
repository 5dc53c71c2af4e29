#include "terminal/settings/store/versionstamp.h"

#include <cctype>

#include "terminal/core/base/language.h"
#include "terminal/core/base/version.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr u32 kStrVersion = 10100;  // the program's own version text
}  // namespace

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
