// Recording stand-ins for the services that engines call (message boxes, painting,
// sending ...). Engine tests link these instead of the Win32 implementations.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {

struct MessageBoxCall {
    u32 id;  // 0 for ShowMessage
    std::u16string text;
};

// Everything the doubles recorded; tests read it under `lock`.
struct Recorder {
    std::mutex lock;
    std::vector<MessageBoxCall> messageBoxes;
    // Runs inside every message box call (on the calling thread), e.g. to re-enter.
    std::function<void(u32 id)> onMessageBox;
};

Recorder& Recorded();
void Reset();

}  // namespace doubles
