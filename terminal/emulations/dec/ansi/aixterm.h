// AIXTerm, on the VT engine with tables of its own (aixterm.cpp).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kAixtermTitleUnits = 511;

struct AixtermState {
    u32 hftMode = 1;  // "aix_hftmode": the high-function terminal's colours and sets
    u32 scrollBar = 0;
    int savedRows = 0, savedPageLength = 0, savedStatusType = 0;
};
extern AixtermState Aixterm;

void EnterAixterm(u8 id);
void LeaveAixterm();
void ResetAixterm();
// ESC ] Ps ; title: read up to its end and handed to the window thread.
void ReadAixtermTitle();
void ClearAixtermStatusLine();
