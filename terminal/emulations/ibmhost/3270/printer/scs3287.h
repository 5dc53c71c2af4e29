// SNA Character String records for the 3287: the structured-field envelope and the SCS
// interpreter. Both return 0 or the record's numbered error.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

constexpr u32 kErrScsEnvelope = 747;

u32 I3270ScsRecord(I3270Session* s, const u8* data, int length);
u32 ScsInterpret(I3270Session* s, const u8* data, int length);
