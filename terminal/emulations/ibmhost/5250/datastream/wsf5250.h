// Write Structured Field: the query and its reply, the input-state field, and the
// text-assist definitions it hands on.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

u32 I5250WriteStructuredField(I5250Session* s, const u8*& p, int& remaining);
void I5250SendQueryReply(I5250Session* s);
