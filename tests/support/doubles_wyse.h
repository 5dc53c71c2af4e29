// Recording stand-ins for the Wyse family's Win32 side (doubles_wyse.cpp).
#pragma once

#include <string>
#include <vector>

namespace doubles {
struct WysePaint {
    int r0, c0, r1, c1;
};
struct WyseDouble {
    std::vector<WysePaint> painted;
    int statusBarLayouts = 0;
    int factorySaves = 0;
    std::vector<std::string> directPorts;  // "" for the port of the printing settings
};
WyseDouble& Wyse();
}  // namespace doubles
