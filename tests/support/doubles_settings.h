// Recording stand-in for the profile store, which engines reach only to have the
// current profile loaded while the terminal is initialised.
#pragma once

namespace doubles {

struct SettingsDouble {
    int profileLoads = 0;
};
SettingsDouble& Settings();

}  // namespace doubles
