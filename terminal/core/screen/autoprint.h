// Auto print as the store's line feed meets it: each line is printed as the cursor
// leaves it by a line feed. Printing carries it out (comms/printing/printing.h).
#pragma once

bool AutoPrintOn();
void PrintCursorLine();
