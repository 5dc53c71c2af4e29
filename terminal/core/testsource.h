// A host byte source for whole-program tests only. It is active only when the
// environment variable VXNT_TEST_HOST names a file; the program then reads that file as
// host data (following it as it grows) and appends what it sends to the file named by
// VXNT_TEST_SINK. A normal user never sets these.
#pragma once

#include "terminal/core/vxtypes.h"

bool TestSourceActive();
int TestSourceReadByte();  // -1 when nothing new is there
void TestSourceSend(const u16* units, int n);
