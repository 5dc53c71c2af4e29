// The release of every resource when the program ends.
#pragma once

// Releases everything; 1 done, 0 when the user refused to close.
int ShutdownTerminal(int warnOnExit);
