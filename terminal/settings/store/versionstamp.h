// The program's version and build stamp in the program key.
#pragma once

// "Version" and "Build" of the program key, written when they differ.
void WriteVersionStamp();
// "Jan" to "Nov" (any letter case) give 1-11, every other text 12.
int MonthNameToNumber(const char* name);
