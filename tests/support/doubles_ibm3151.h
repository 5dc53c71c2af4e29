// The IBM 3151's program services as engine tests see them: the status bar's fields
// and the window layouts are recorded, its profile section is the registry double's
// key "IBM3151".
#pragma once

#include <map>
#include <string>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct Ibm3151Double {
    std::map<u32, std::u16string> fields;  // status-bar text by field id
    int layouts = 0;
};
Ibm3151Double& Ibm3151();
void ResetIbm3151();
}  // namespace doubles
