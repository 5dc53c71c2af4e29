// The key messages the IBM 5250 and 3270 keyboards take before the shared key filter:
// -1 leaves the message to the filter, 1 took it, 0 lets it be translated as usual.
#pragma once

#include "terminal/core/base/win32.h"

int Ibm5250KeyMessage(MSG* message, bool isPress);
int Ibm3270KeyMessage(MSG* message, bool isPress);
// The 5250 text-assist mode is on: Alt with its keys edits the text.
bool I5250TextAssistOn();
