// Recording stand-ins for what the key-event executor asks of the platform: raising a
// window by class and starting a program.
#pragma once

#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct InputDouble {
    std::vector<std::u16string> raisedClasses;
    std::vector<std::u16string> startedCommands;
    u32 startError = 0;  // what StartProgramCommand reports
};
InputDouble& Input();
}  // namespace doubles
