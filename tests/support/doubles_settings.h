// Recording stand-ins for the profile store (engines reach it only to have the current
// profile loaded while the terminal is initialised) and for the terminal palette that
// the colour settings fill.
#pragma once

#include <vector>

namespace doubles {

struct PaletteCall {
    int index, red, green, blue;
};

struct SettingsDouble {
    int profileLoads = 0;
    int familyLoads = 0, familySaves = 0;
    std::vector<PaletteCall> paletteColours;
};
SettingsDouble& Settings();

}  // namespace doubles
