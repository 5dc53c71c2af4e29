// Write to Display Structured Field, the Write To Display order of the enhanced
// interface: selection fields, windows, and writing into an input field.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// One structured field (`field` starts at its length, `length` counts the whole field)
// at the Write To Display's current address; 0 or a sense code.
u32 I5250WriteDisplayStructuredField(I5250Session* s, const u8* field, int length, i32 address);
