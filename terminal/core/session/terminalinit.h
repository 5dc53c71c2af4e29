// The terminal initialisation (start-up, profile reload, hard reset): no family runs
// while the store is reset, the current profile is loaded again, the store takes its
// sizes and every family hears that the terminal is initialised.
#pragma once

bool InitialiseTerminal(int full);
