// The TVI's program services as engine tests see them: the status bar's fields, the
// insert field and the window layouts are recorded.
#pragma once

#include <map>
#include <string>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct TviDouble {
    std::map<u32, std::u16string> fields;  // status-bar text by field id
    int layouts = 0;
    int insertShown = -1;  // 1 insert, 0 overstrike, -1 never shown
};
TviDouble& Tvi();
void ResetTvi();
}  // namespace doubles
