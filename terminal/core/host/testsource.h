// A host byte source for whole-program tests only. It is active only when the
// environment variable VXNT_TEST_HOST names a file; the program then reads that file as
// host data (following it as it grows) and appends what it sends to the file named by
// VXNT_TEST_SINK. A normal user never sets these.
#pragma once

#include "terminal/core/base/vxtypes.h"

bool TestSourceActive();
int TestSourceReadByte();  // -1 when nothing new is there
void TestSourceSend(const u16* units, int n);

// Whole-program tests read the screen through a dump: while VXNT_TEST_SCREEN names a
// file, the idle host-data thread rewrites it whenever the screen changed, as UTF-8
// text: a first line "cursor <row> <column> emulation <id>", then every row without its
// trailing blanks, each character as copying shows it.
void TestScreenDump();
// With VXNT_TEST_STATUS naming a file, the idle step and the timer tick write "printer
// <the status bar's printer field>", "enabled <1 while the main window takes input>" and
// "emulation <the status bar's emulation name field>".
void TestStatusDump();
