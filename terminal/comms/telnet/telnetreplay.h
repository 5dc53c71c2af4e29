// Replay into a 3270 or 5250 session: the replay file takes the socket's place under
// the telnet engine, so its records reach the session as if the host had sent them.
#pragma once

#include "terminal/core/base/vxtypes.h"

// True while a 3270 or 5250 session runs and a replay file is open for the emulation.
bool ReplayIntoRecordSession();
// Swaps the file in (on the first call) and reads its next block into the receive
// buffer: the count, or -1 at its end (the replay then stops and the connection's own
// buffers and telnet mode come back).
int TelnetReplayFillInput();
// Gives the connection its buffers back when a replay stopped while swapped in.
void TelnetReplayEnd();
bool TelnetReplaySwapped();
// Between records of a stepped replay: asks whether to go on. False when the replay
// was ended (the rest of the block is then dropped).
bool TelnetReplayStep();
