#include "support/doubles_settings.h"

#include "terminal/settings/profile.h"

namespace doubles {
SettingsDouble& Settings()
{
    static SettingsDouble s;
    return s;
}
}  // namespace doubles

int ReloadCurrentProfile()
{
    ++doubles::Settings().profileLoads;
    return 0;
}
