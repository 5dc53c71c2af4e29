// AIXTerm, on the VT engine with tables of its own (aixterm.cpp).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kAixtermTitleUnits = 511;

struct AixtermState {
    u32 hftMode = 1;                    // "aix_hftmode": the high-function terminal's colours and sets
    u32 scrollBar = 0;                  // the host's scroll bar (CSI ? 42 h): hidden while clear
    u8 modeByte43 = 0, modeByte45 = 0;  // set and cleared by the host, no more
    int savedRows = 0, savedPageLength = 0, savedStatusType = 0;
};
extern AixtermState Aixterm;

void EnterAixterm(u8 id);
void LeaveAixterm();
void ResetAixterm();
// ESC ] Ps ; title: read up to its end and handed to the window thread.
void ReadAixtermTitle();
void ClearAixtermStatusLine();
// True while the host keeps the scroll bar hidden (the family's hook).
bool AixtermScrollBarOff();
